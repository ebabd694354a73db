#include "platform/gif_view.h"

#include <QBuffer>
#include <QFile>
#include <QImageReader>
#include <QLabel>
#include <QMovie>
#include <memory>

#include "platform/qt/font_map.h"
#include "platform/qt/widget_events.h"

namespace {

class GifWidget : public widget_events::EventWidget<QLabel> {
public:
    using EventWidget::EventWidget;

    // Starts the movie anew from bytes; empty bytes show nothing.
    void Show(const std::string& bytes, uint64_t generation) {
        if (generation == generation_) return;
        generation_ = generation;
        setMovie(nullptr);
        movie_.reset();
        frames_.close();
        clear();
        if (bytes.empty()) return;
        // The movie reads from its own copy, so the file may be replaced while it plays.
        frames_.setData(QByteArray(bytes.data(), qsizetype(bytes.size())));
        frames_.open(QIODevice::ReadOnly);
        movie_ = std::make_unique<QMovie>(&frames_, "gif");
        setMovie(movie_.get());
        movie_->start();
    }

private:
    QBuffer frames_;
    std::unique_ptr<QMovie> movie_;  // after the buffer it reads, so it goes first
    uint64_t generation_ = 0;
};

}  // namespace

void GifView::setFileName(std::string path) {
    fileName_ = std::move(path);
    bytes_.clear();
    width_ = height_ = 0;
    ++generation_;
    QFile file(QString::fromStdString(fileName_));
    if (!fileName_.empty() && file.open(QIODevice::ReadOnly)) {
        QByteArray content = file.readAll();
        QBuffer buffer(&content);
        buffer.open(QIODevice::ReadOnly);
        QImageReader reader(&buffer, "gif");
        QSize size = reader.size();
        if (reader.canRead() && reader.format() == "gif" && size.isValid()) {
            bytes_.assign(content.constData(), size_t(content.size()));
            width_ = size.width();
            height_ = size.height();
        }
    }
    Apply();
}

void GifView::setBackColor(Color color) {
    backColor_ = color;
    Apply();
}

void GifView::ResetOwnProperties() {
    backColor_ = kButtonFace;
    fileName_.clear();
    bytes_.clear();
    width_ = height_ = 0;
    ++generation_;
}

QWidget* GifView::CreateWidget(QWidget* parent) {
    auto* label = new GifWidget(widget_events::SinkFor(*this), parent);
    label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    return label;
}

void GifView::Apply() {
    Control::Apply();
    auto* widget = static_cast<GifWidget*>(Widget());
    if (!widget) return;
    QPalette palette = widget->palette();
    palette.setColor(QPalette::Window, ToQColor(backColor_));
    widget->setPalette(palette);
    widget->setAutoFillBackground(true);
    widget->Show(bytes_, generation_);
}

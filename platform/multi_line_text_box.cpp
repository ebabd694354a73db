#include "platform/multi_line_text_box.h"

#include <QPlainTextEdit>

#include "platform/qt/widget_events.h"

namespace {

using TextAreaWidget =
    widget_events::EventWidget<QPlainTextEdit, widget_events::BaseMouse::Own>;

QString Shown(const std::string& text) {
    return QString::fromStdString(text).replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
}

}  // namespace

QWidget* MultiLineTextBox::CreateWidget(QWidget* parent) {
    auto* area = new TextAreaWidget(widget_events::SinkFor(*this), parent);
    area->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    area->setLineWrapMode(QPlainTextEdit::WidgetWidth);
    QObject::connect(area, &QPlainTextEdit::textChanged, [this, area] {
        QString typed = area->toPlainText();
        if (typed != Shown(Text())) setText(typed.replace('\n', QStringLiteral("\r\n")).toStdString());
    });
    return area;
}

void MultiLineTextBox::Apply() {
    Control::Apply();
    auto* area = static_cast<TextAreaWidget*>(Widget());
    if (!area) return;
    QString text = Shown(Text());
    if (area->toPlainText() != text) area->setPlainText(text);
}

#pragma once
// A label: one "&" marks an access key and is not shown, "&&" shows one "&". Transparent
// labels let the window's skin show through; AutoSize makes the label fit its text. The
// text never spills out of the label's box.

#include <memory>

#include "platform/control.h"
#include "platform/font.h"

enum class Alignment { Left, Right, Center };

class Label : public Control {
public:
    using Control::Control;

    const std::string& Caption() const { return caption_; }
    void setCaption(std::string caption);
    Color ForeColor() const { return foreColor_; }
    void setForeColor(Color color);
    const Font& GetFont() const { return font_; }
    void setFont(const Font& font);
    void setFontSize(float size);
    bool AutoSize() const { return autoSize_; }
    void setAutoSize(bool autoSize);
    // AutoSize grows the label with its text up to this width (twips; 0: no limit), so
    // that it stays inside its slot; text beyond its box is cut off there.
    void setMaxWidth(float width);
    // A caption wider than the box is drawn in a smaller size of the font, on the same
    // baseline, down to a size that still reads; what still does not fit ends in an
    // ellipsis. The font itself is kept.
    void setShrinkToFit(bool shrink);
    void setTransparent(bool transparent);
    void setAlignment(Alignment alignment);
    bool WordWrap() const { return wordWrap_; }
    void setWordWrap(bool wordWrap);

    // The text as shown: access-key marks resolved.
    std::string DisplayText() const;

protected:
    QWidget* CreateWidget(QWidget* parent) override;
    void Apply() override;
    void ResetOwnProperties() override;

private:
    // The Qt font and its metrics, made again only when the font changes.
    struct Shaped;
    const Shaped& Shape() const;
    // Sizes the label to its text when AutoSize is on, and shows the change either way.
    void Refit();
    void FitToText();
    mutable std::shared_ptr<const Shaped> shaped_;
    std::string caption_;
    Color foreColor_ = kBlack;
    Font font_;
    float maxWidth_ = 0;
    bool autoSize_ = false, transparent_ = false, wordWrap_ = false, shrinkToFit_ = false;
    Alignment alignment_ = Alignment::Left;
};

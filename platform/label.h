#pragma once
// A label: one "&" marks an access key and is not shown, "&&" shows one "&". Transparent
// labels let the window's skin show through; AutoSize makes the label fit its text.

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
    bool Transparent() const { return transparent_; }
    void setTransparent(bool transparent);
    Alignment GetAlignment() const { return alignment_; }
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
    void FitToText();
    std::string caption_;
    Color foreColor_ = kBlack;
    Font font_;
    bool autoSize_ = false, transparent_ = false, wordWrap_ = false;
    Alignment alignment_ = Alignment::Left;
};

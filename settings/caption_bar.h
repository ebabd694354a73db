#pragma once
// The borderless windows drop their caption bar, system menu and boxes as they load,
// keeping their place and size.

class Form;

namespace CaptionBar {
void RemoveCaptionBar(Form& window);
}

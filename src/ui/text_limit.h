#pragma once

namespace ui {

class TextBox;

// Keeps a single-line box to the width of the field it stores: typing or pasting beyond
// `maxLength` characters is refused where it was made, so nothing typed is cut off unseen at
// the save.
void LimitLength(TextBox* box, int maxLength);

}  // namespace ui

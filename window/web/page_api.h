// What the page gives the web window (form1_page.js): its document, its controls, and the message box.
// Controls are named by their index in form1_design::kControls; text goes as UTF-16 code units and
// their count, so that every code unit arrives as it was, a lone surrogate included.
#pragma once

extern "C" {

void page_setCaption(const char16_t* caption, int length);
void page_describeWindow(const char16_t* description, int length);

// Controls are added in document order, which is the order screen readers and Tab meet them.
void page_addLabel(int control, const char* name, int nameLength, const char16_t* text, int textLength);
void page_addTextBox(int control, const char* name, int nameLength, bool tabStop);
void page_addButton(int control, const char* name, int nameLength, const char16_t* text, int textLength, bool tabStop);
void page_labelField(int label, int field);
void page_describeControl(int control, const char16_t* name, int nameLength, const char16_t* description,
                          int descriptionLength);
// Tab goes on from last to first, and Shift+Tab back from first to last; the focus starts in first.
void page_wrapTabOrder(int first, int last);

// The room, in CSS pixels, that the control's caption takes in the page's font.
void page_captionRoom(int control, int* width, int* height);
void page_place(int control, int left, int top, int width, int height);
void page_setClientArea(int width, int height);

// 0xRRGGBB.
[[nodiscard]] int page_background();
void page_setTextColour(int control, int rgb);

// Whether the text box is still on the page.
[[nodiscard]] bool page_fieldConnected(int control);
// Has the text box show its line anew (window/web/line_fields.h).
void page_showField(int control);

// Shows the modal box and returns once it is dismissed; the conversion waits for it meanwhile.
void page_showMessage(const char16_t* prompt, int promptLength, const char16_t* title, int titleLength,
                      bool criticalIcon);

// The program has ended: the page takes no more input and closes where the browser lets it.
void page_end(int status);
}

#pragma once
// Keeps a one-line text field within the width of its column, counted in
// characters as the database counts them (a character outside the basic
// plane, such as the 𠮷 of a name, is one character, not two).
//
// Text that comes in at once (what the input method commits, a paste, a
// drop) and does not fit is cut to what fits, and the field says so with a
// short beep and a tooltip ("ここには20文字までです"), so a child never
// loses the end of a name without a word. Every field with a width goes
// through here.

#include <QString>

class QLineEdit;

void limitField(QLineEdit* field, int characters);

// What the field says when it cut text.
QString limitNotice(int characters);

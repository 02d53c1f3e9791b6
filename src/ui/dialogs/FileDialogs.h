#pragma once
// What every file dialog of the program shares: Qt's own dialog (which takes the side panels and
// speaks the program's language), in detail view with room for sizes and dates.
class QFileDialog;

namespace sono {

void prepareFileDialog(QFileDialog& dialog);
// A name typed without an extension gets the one of the chosen filter ("rec" is saved as
// "rec.wav", so that the filter finds it again); a filter of all files adds none.
void addFilterExtension(QFileDialog& dialog);

} // namespace sono

#pragma once
// File dialog filters arrive from the editor as "Description (*.wav)|*.wav|All Files (*.*)|*.*";
// Qt's dialogs want "Description (*.wav);;All Files (*)".
#include <QString>

#include <string>

namespace sono {

// Each description keeps its words; the patterns in its brackets are replaced by the pattern
// half of its pair. "*.*" becomes "*", because on this system it would hide every file name
// without a dot, and "All Files" must show them all.
QString qtFileFilter(const std::string& filter);

} // namespace sono

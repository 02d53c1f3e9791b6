#pragma once
// The WAV file association as the store holds it: ".wav" names a file type ("wav File"), whose
// "shell\open\command" runs the editor on the file, and whose "shell\vrompplay" verb (with its
// display text and its own "command") runs the sibling player.
#include <cstdint>
#include <string>

#include "settings/ClassesRoot.h"

namespace sono {

inline const char* const WavExtension = ".wav";
inline const char* const OpenCommandKey = "wav File\\shell\\open\\command";
inline const char* const PlayVerb = "vrompplay";
// The type name ".wav" points to when there was none.
inline const char* const FallbackTypeName = "Sound File";
// The sibling player's name in the program folder.
inline const char* const SiblingPlayer = "snapler";

// "/usr/bin/sonoplexer %1": what the open command of an association of this editor holds.
std::string associationCommand(const std::string& programPath);
// The sibling player in the program folder (which ends in a separator), with its argument.
std::string playVerbCommand(const std::string& programFolder);
// "&Play Sound" / "Geluid &Afspelen".
std::string playVerbText(uint8_t language);

// Points the extension (trimmed; it must start with a dot) at the type "<ext without dot> File"
// and sets that type's open command. True when the command was written.
bool setAssociation(ClassesRoot& store, const std::string& extension, const std::string& command);
// Deletes "command" of "wav File\shell\open"; true when it was there and is gone.
bool removeOpenCommand(ClassesRoot& store);
// Whether WAV files are opened by this editor: the open command is the editor's own.
bool associationPresent(ClassesRoot& store, const std::string& programPath);
// The key of the play verb under the type ".wav" now names ("wav File\shell\vrompplay"); the
// type name is "Sound File" when ".wav" names none, after making it so.
std::string playVerbKey(ClassesRoot& store);

} // namespace sono

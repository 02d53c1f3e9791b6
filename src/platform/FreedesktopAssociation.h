#pragma once
// The file association as a freedesktop desktop sees it: a desktop entry of the editor in the
// user's applications folder (with the sibling player as its "play" action), named as the
// default program of WAV files in the user's mimeapps.list.
#include <QString>

namespace sono {

class ClassesRoot;

struct FreedesktopPlaces {
    QString applicationsFolder; // $XDG_DATA_HOME/applications
    QString mimeappsList;       // $XDG_CONFIG_HOME/mimeapps.list
};
// The user's places, by the XDG environment.
FreedesktopPlaces userFreedesktopPlaces();

// The desktop entry the association writes; the installed entry has another name, so taking the
// association away never removes the program from the menus.
inline const char* const AssociationEntryName = "sonoplexer-wav.desktop";

// Writes the entry and makes it the first choice for audio/x-wav and audio/wav when the store
// says WAV files open in `program`; otherwise removes the entry and our name from the defaults.
// Other programs' defaults stay as they are. False when a file could not be written.
bool followAssociation(ClassesRoot& store, const QString& program, const QString& player,
                       const FreedesktopPlaces& places);

} // namespace sono

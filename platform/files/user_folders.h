#pragma once
// Where the program keeps what it writes and where it finds what it ships.
//
// A copy of the program in a folder the user may write to (~/Мирельта, build/program) keeps
// everything beside its executable, as it always has. Installed by the package, the executable
// lies in /usr/bin and what it ships in /usr/share/mirelta, where a user writes nothing: each
// user then has a folder of their own in the desktop's per-user data folder
// ($XDG_DATA_HOME/Мирельта) for the settings and personal suggestions, and the pictures and
// sounds are copied there on the first start, because a personal suggestion names its pictures
// and sounds by paths inside the program's Image and Sound folders.

#include "platform/files/program_folder.h"

#include <QString>

namespace mirelta {

struct FolderLayout {
    QString user;           // polufabu.ini, Text/, and the Image/ and Sound/ the suggestions name
    QString shipped;        // the local pages, the documents, Iniaz/, the Image/ and Sound/ shipped
    bool installed = false; // the user's folder is not the executable's: made and seeded at start
};

// The layout for an executable in `executableFolder`: an installed program when what it ships lies
// in <executable folder>/../share/mirelta, or when it may not write to its own folder; its user's
// folder is then `dataHome`/Мирельта.
FolderLayout chooseFolders(const QString& executableFolder, bool executableFolderWritable,
                           const QString& dataHome);

// The user's data folder as the XDG rule has it: XDG_DATA_HOME when it is an absolute path,
// otherwise ~/.local/share.
QString userDataHome();

struct PreparedFolders {
    ProgramFolder folder;
    QString problem; // what went wrong, for the user, or empty
};

// Makes the user's folder of an installed program (readable by that user alone) with its Text
// folder, and copies the shipped Image and Sound folders into it when it has none yet. When the
// folder cannot be made, the program goes on with the shipped folder, where it can show
// everything it ships but keep nothing; `problem` says so.
PreparedFolders prepareFolders(const FolderLayout& layout);

// The layout of the running executable, prepared.
PreparedFolders prepareProgramFolders(const QString& executableFolder);

} // namespace mirelta

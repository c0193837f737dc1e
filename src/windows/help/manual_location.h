#pragma once
// Where the program's documents are: the user manual and the land data's
// notice, beside the program as the build tree and an installation both lay
// them out (<folder of the executable>/../share/...).

#include <QString>

namespace help {

// The folder the documents are looked for in first (tests point it at the
// source tree); empty: beside the program.
void UseDocumentFolder(const QString& folder);

// The user manual (docs/user-manual.md), or empty when it cannot be found.
QString UserManualPath();
// The land data's licence notice (world-atlas-LICENSE), or empty.
QString LandNoticePath();

// "1.00".
QString ProgramVersion();

}  // namespace help

#include "foundation/libraryfile/LibraryFileLayout.h"

namespace libraryfile {

const char* const kProlog = "<?xml version=\"1.0\" encoding=\"ISO-8859-1\"?>\r\n";
const char* const kRootName = "KelvaneMusicLibrary";
const char* const kVersionAttribute = "Version";
const char* const kDateAttribute = "Date";
const char* const kTracksAttribute = "Tracks";
const char* const kRecordName = "TRK";

} // namespace libraryfile

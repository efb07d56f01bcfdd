#pragma once
// The desktop's system information program, looked for on the search path.
#include <QString>

namespace vb {
// Full path of the first system information program found, or "" when there is none.
QString FindSystemInfoProgram();
}

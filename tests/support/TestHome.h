#pragma once

#include <QString>

namespace veskar::test {

/// Points HOME, the XDG folders and VESKAR_HOME at a fresh temporary folder for this test
/// process, so no test reads or writes the user's files or settings, and fixes the locale.
/// Call before Qt starts.
void IsolateHome();

/// The temporary home made by IsolateHome.
QString TestHomeDir();

} // namespace veskar::test

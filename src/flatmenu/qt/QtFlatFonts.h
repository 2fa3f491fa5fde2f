#pragma once

#include <QStringList>

namespace kelvara {

/// Registers the window-layer faces the painter and the input box name ("Tahoma", "MS Sans
/// Serif") from the Wine fonts folder, which fontconfig does not scan, when they are there.
/// Answers the families registered; a missing face leaves the toolkit's substitute in place.
QStringList RegisterFlatFonts();

} // namespace kelvara

#pragma once

#include "platform/FormLook.h"

#include <QColor>
#include <QFont>

namespace kelvara {

/// The Qt font of one of the forms' fonts.
QFont QtFormFont(FormFont font);

/// The Qt colour of a literal form colour (0x00BBGGRR).
QColor QtFormColor(TColor color);

} // namespace kelvara

// Makes the test program's screen scaled 1.5x: read when the application starts.

#include <QByteArray>

namespace {

const bool kScaled = qputenv("QT_SCALE_FACTOR", QByteArray("1.5"));

} // namespace

// Makes the test program's screen scaled 2x: read when the application starts.

#include <QByteArray>

namespace {

const bool kScaled = qputenv("QT_SCALE_FACTOR", QByteArray("2"));

} // namespace

#pragma once
// PNG bytes that depend on the picture alone, so that the build's pictures are reproducible.

#include <QByteArray>

namespace zorvane::tools {

// The PNG without text and time chunks; a truncated stream is returned as it is.
QByteArray withoutVolatileChunks(const QByteArray& png);

} // namespace zorvane::tools

#pragma once

#include <QByteArray>

namespace qelvan::exporting {

/// A number as any reader takes it, whatever its locale: '.' as decimal
/// point, no grouping, no exponent, the shortest digits that read back to
/// the same double, "0" for minus zero, empty when not finite.
QByteArray plainNumber(double value);

} // namespace qelvan::exporting

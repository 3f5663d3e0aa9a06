#pragma once
// The running system's version, for the few features that differ between
// the systems before Vista and Vista with its successors.

namespace kelp {

// The major version the system reports; 0 when it cannot be read. A
// program whose manifest names Windows 8.1, 10 or 11 is told 10 on those,
// one without such a manifest 6 on every system since Vista.
unsigned WindowsMajorVersion();

// Vista (major version 6) or any later system. A version that cannot be
// read counts as such: the older systems always report theirs.
bool IsVistaOrLater(unsigned majorVersion);

} // namespace kelp

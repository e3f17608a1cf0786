#pragma once

#include <cstddef>

namespace dialtally {

// Asks the kernel to back the 2 MiB stretches of a large buffer with huge
// pages, before it is first written to: filling a table of a million rows
// then takes a few hundred page faults instead of tens of thousands. A
// hint only; where the kernel does not do this, nothing changes.
void AdviseLargePages(const void* data, std::size_t bytes);

} // namespace dialtally

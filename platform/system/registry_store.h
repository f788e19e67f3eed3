// Where the hives live and how they are shared: one text file per root under
// <layer root>/registry/, re-read whenever another process replaced it, replaced atomically
// (temporary file, fsync, rename) under a file lock.
#pragma once

#include "system/registry_hive.h"

#include <functional>

namespace lv {

enum class HiveId { LocalMachine, CurrentUser };

// Runs `work` on the current state of the hive under the registry lock (exclusive when `write`).
// When `work` succeeds and sets `changed`, the hive is saved before the lock is let go.
using HiveWork = std::function<LONG(RegistryKey& root, bool& changed)>;
LONG with_hive(HiveId hive, bool write, const HiveWork& work);

} // namespace lv

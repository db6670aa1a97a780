#include "support/read_only_path.h"

#include <linux/capability.h>
#include <sys/syscall.h>
#include <unistd.h>

#include <QFile>

namespace {

// Switches CAP_DAC_OVERRIDE, which lets root write regardless of file modes, in this thread's
// effective set.
bool set_mode_override(bool on) {
  __user_cap_header_struct header{_LINUX_CAPABILITY_VERSION_3, 0};
  __user_cap_data_struct data[_LINUX_CAPABILITY_U32S_3] = {};
  if (syscall(SYS_capget, &header, data) != 0)
    return false;
  constexpr __u32 bit = 1u << CAP_DAC_OVERRIDE;
  if (!(data[0].permitted & bit))
    return true;  // not root: the modes hold anyway
  data[0].effective = on ? data[0].effective | bit : data[0].effective & ~bit;
  return syscall(SYS_capset, &header, data) == 0;
}

constexpr QFileDevice::Permissions write_modes = QFileDevice::WriteOwner | QFileDevice::WriteUser |
                                                 QFileDevice::WriteGroup | QFileDevice::WriteOther;

}  // namespace

ReadOnlyPath::ReadOnlyPath(const QString& path) : path_(path), previous_(QFile::permissions(path)) {
  ok_ = QFile::setPermissions(path_, previous_ & ~write_modes) && set_mode_override(false);
}

ReadOnlyPath::~ReadOnlyPath() {
  set_mode_override(true);
  QFile::setPermissions(path_, previous_);
}

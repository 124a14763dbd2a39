#include "platform/FileCalls.h"

#include <cstdio>
#include <cstdlib>
#include <fcntl.h>
#include <unistd.h>

namespace veltrane {

namespace {

int SystemOpen(const char* path, int flags, mode_t mode) {
    return open(path, flags, mode);
}

const TFileCalls SystemCalls = {mkstemp, SystemOpen, write, fsync, close, std::rename};
const TFileCalls* Current = &SystemCalls;

} // namespace

const TFileCalls& FileCalls() {
    return *Current;
}

void SetFileCalls(const TFileCalls* calls) {
    Current = calls ? calls : &SystemCalls;
}

} // namespace veltrane

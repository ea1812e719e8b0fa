#include "files/nym_file.h"

#include "files/filingsystem.h"
#include "files/nym_trace.h"

#include <climits>
#include <cstdint>
#include <cstring>

namespace {
// The trace prints addresses with %d, as their low 32 bits.
int addressForTrace(const void* p) {
    return static_cast<int>(reinterpret_cast<std::uintptr_t>(p));
}
} // namespace

NymFile::~NymFile() {
    if (stream_ != nullptr) {
        std::fclose(stream_);
    }
}

bool NymFile::Open(const char* name, const char* mode) {
    NymTrace* trace = NymTrace::Instance();
    trace->Print(0, "NymFile constructor for %s\n", name);
    if (state_ != NymFileState::clse) {
        return false;
    }
    if (mode == nullptr) {
        trace->Print(1000, "Virtual filing system error, NULL omode for fopen\n");
        return false;
    }
    if (std::strcmp(mode, "rb") == 0) {
        state_ = NymFileState::fbin;
    } else if (std::strcmp(mode, "rt") == 0) {
        state_ = NymFileState::fasc;
    } else {
        trace->Print(1000, "Virtual filing system fopen only supports rb and rt, not 0x%x\n",
                     static_cast<int>(state_));
        return false;
    }
    if (name == nullptr) {
        return false;
    }

    const Filingsystem* registry = Filingsystem::Instance();
    if (registry != nullptr && registry->FileCount() > 0) {
        trace->Print(0, "Virtual filing system has %d files\n", registry->FileCount());
        // No early exit: a later registration of the same name shadows an earlier one.
        for (int i = 0; i < registry->FileCount(); ++i) {
            trace->Print(0, " checking with %s\n", registry->FileName(i));
            if (std::strcmp(registry->FileName(i), name) == 0) {
                data_ = registry->FileData(i);
                length_ = registry->FileLength(i);
                trace->Print(0, "done it, ptr = %d size=%d\n", addressForTrace(data_), length_);
            }
        }
    }
    position_ = 0;
    if (data_ != nullptr) {
        return true;
    }
    return openFromDisk(name, mode);
}

bool NymFile::openFromDisk(const char* name, const char* mode) {
    std::FILE* probe = std::fopen(name, mode);
    if (probe == nullptr) {
        return false;
    }
    // Files on disk are a stop-gap until they are compiled in; say so.
    NymTrace::Instance()->Print(1000, "createLinkableResource %s >> linkableResource\n", name);
    const long size = std::fseek(probe, 0, SEEK_END) == 0 ? std::ftell(probe) : -1L;
    std::fclose(probe);
    if (size < 0 || size > INT_MAX) {
        return false;
    }
    stream_ = std::fopen(name, "rb");
    if (stream_ == nullptr) {
        return false;
    }
    length_ = static_cast<int>(size);
    return true;
}

int NymFile::Length() const {
    const bool open = state_ == NymFileState::fbin || state_ == NymFileState::fasc;
    return open && (stream_ != nullptr || data_ != nullptr) ? length_ : 0;
}

int NymFile::Read(void* buffer, int itemSize, int itemCount) {
    if (state_ != NymFileState::fbin || buffer == nullptr || itemSize <= 0 || itemCount <= 0) {
        return 0;
    }
    if (stream_ != nullptr) {
        return static_cast<int>(std::fread(buffer, static_cast<std::size_t>(itemSize),
                                           static_cast<std::size_t>(itemCount), stream_));
    }
    if (data_ == nullptr) {
        return 0;
    }
    NymTrace::Instance()->Print(0, "fread : ptr = %d size=%d\n", addressForTrace(data_), length_);
    // Bounded by the bytes left before the length, or by what an int position can count when the
    // length is not given.
    const std::int64_t limit = length_ >= 0 ? length_ : INT_MAX;
    const std::int64_t remaining = limit > position_ ? limit - position_ : 0;
    const std::int64_t wanted = static_cast<std::int64_t>(itemSize) * itemCount;
    const int copied = static_cast<int>(wanted < remaining ? wanted : remaining);
    std::memcpy(buffer, data_ + position_, static_cast<std::size_t>(copied));
    position_ += copied;
    return copied;
}

int NymFile::Close() {
    if (stream_ != nullptr) {
        std::fclose(stream_);
    }
    stream_ = nullptr;
    data_ = nullptr;
    length_ = 0;
    position_ = 0;
    state_ = NymFileState::shut;
    return 0;
}

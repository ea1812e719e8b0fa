#include "files/filingsystem.h"

#include "files/nym_trace.h"

#include <cstring>
#include <new>

namespace {
Filingsystem* instance = nullptr;

// Copies text into a path buffer at offset `used`, cutting at the buffer's end; returns the new length.
int appendPath(char* buffer, int used, const char* text) {
    while (*text != '\0' && used < Filingsystem::PathBufferSize - 1) {
        buffer[used++] = *text++;
    }
    buffer[used] = '\0';
    return used;
}
} // namespace

Filingsystem* Filingsystem::Instance() {
    if (instance == nullptr) {
        instance = new (std::nothrow) Filingsystem();
        if (instance == nullptr) {
            NymTrace::Instance()->Print(1000, "Filingsystem failed to create itself\n");
        }
    }
    return instance;
}

void Filingsystem::Destroy() {
    delete instance;
    instance = nullptr;
}

Filingsystem::~Filingsystem() {
    for (int i = 0; i < count_; ++i) {
        delete[] names_[i];
    }
}

bool Filingsystem::RegisterFile(Filingsystem* registry, const char* name, const void* data, int length) {
    if (registry == nullptr || name == nullptr || data == nullptr || length == 0 || length < -1) {
        return false;
    }
    if (registry->count_ >= MaxEmbeddedFiles) {
        return false;
    }
    const std::size_t size = std::strlen(name) + 1;
    char* copy = new (std::nothrow) char[size];
    if (copy == nullptr) {
        NymTrace::Instance()->Print(1000, "Filingsystem failed to create during register\n");
        return false;
    }
    std::memcpy(copy, name, size);
    const int index = registry->count_;
    registry->names_[index] = copy;
    registry->data_[index] = static_cast<const unsigned char*>(data);
    registry->lengths_[index] = length;
    registry->count_ = index + 1;
    return true;
}

bool Filingsystem::SetRootPath(const char* path) {
    if (path == nullptr) {
        return false;
    }
    appendPath(rootPath_, 0, path);
    return true;
}

bool Filingsystem::SetSubPath(const char* path) {
    if (path == nullptr) {
        return false;
    }
    appendPath(subPath_, 0, path);
    return true;
}

const char* Filingsystem::MakePath(const char* name) {
    int used = appendPath(pathResult_, 0, rootPath_);
    used = appendPath(pathResult_, used, subPath_);
    appendPath(pathResult_, used, name != nullptr ? name : "");
    return pathResult_;
}

const char* Filingsystem::FileName(int index) const {
    return index >= 0 && index < count_ ? names_[index] : nullptr;
}

const unsigned char* Filingsystem::FileData(int index) const {
    return index >= 0 && index < count_ ? data_[index] : nullptr;
}

int Filingsystem::FileLength(int index) const {
    return index >= 0 && index < count_ ? lengths_[index] : 0;
}

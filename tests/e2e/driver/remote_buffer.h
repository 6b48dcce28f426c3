#pragma once

#include <windows.h>

#include <cstddef>

namespace e2e {

// A block of memory inside another process, for the messages whose parameters point to memory
// that the receiving control reads or writes (the list view's LVM_GET... messages).
class RemoteBuffer {
  public:
    // Allocates `size` bytes in the process that owns `window`.
    RemoteBuffer(HWND window, std::size_t size);
    ~RemoteBuffer();
    RemoteBuffer(const RemoteBuffer&) = delete;
    RemoteBuffer& operator=(const RemoteBuffer&) = delete;

    bool valid() const { return address_ != nullptr; }
    std::size_t size() const { return size_; }
    // The address as the other process sees it, `offset` bytes in.
    void* address(std::size_t offset = 0) const { return static_cast<char*>(address_) + offset; }

    // Copy `length` bytes in or out at `offset`; false when they would not fit or the copy fails.
    bool write(const void* bytes, std::size_t length, std::size_t offset = 0) const;
    bool read(void* bytes, std::size_t length, std::size_t offset = 0) const;

  private:
    HANDLE process_ = nullptr;
    void* address_ = nullptr;
    std::size_t size_ = 0;
};

} // namespace e2e

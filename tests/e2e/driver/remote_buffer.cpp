#include "remote_buffer.h"

namespace e2e {

RemoteBuffer::RemoteBuffer(HWND window, std::size_t size) : size_(size) {
    DWORD processId = 0;
    GetWindowThreadProcessId(window, &processId);
    process_ =
        OpenProcess(PROCESS_VM_OPERATION | PROCESS_VM_READ | PROCESS_VM_WRITE, FALSE, processId);
    if (process_ != nullptr)
        address_ =
            VirtualAllocEx(process_, nullptr, size, MEM_COMMIT | MEM_RESERVE, PAGE_READWRITE);
}

RemoteBuffer::~RemoteBuffer() {
    if (address_ != nullptr)
        VirtualFreeEx(process_, address_, 0, MEM_RELEASE);
    if (process_ != nullptr)
        CloseHandle(process_);
}

bool RemoteBuffer::write(const void* bytes, std::size_t length, std::size_t offset) const {
    SIZE_T done = 0;
    return valid() && offset <= size_ && length <= size_ - offset &&
           WriteProcessMemory(process_, address(offset), bytes, length, &done) && done == length;
}

bool RemoteBuffer::read(void* bytes, std::size_t length, std::size_t offset) const {
    SIZE_T done = 0;
    return valid() && offset <= size_ && length <= size_ - offset &&
           ReadProcessMemory(process_, address(offset), bytes, length, &done) && done == length;
}

} // namespace e2e

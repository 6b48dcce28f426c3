#include "cli_rows.h"

#include <algorithm>
#include <cstring>
#include <utility>

namespace {

// The bytes of one block of the store; a longer text gets a block of its own.
constexpr std::size_t blockBytes = std::size_t{2} << 20;

} // namespace

const char* CliRows::store(std::string_view first, std::string_view second) {
    const std::size_t length = first.size() + second.size();
    if (blocks_.empty() || blocks_.back().size - blockUsed_ < length) {
        const std::size_t size = std::max(length, blockBytes);
        blocks_.push_back({std::make_unique_for_overwrite<char[]>(size), size});
        blockUsed_ = 0;
    }
    char* at = blocks_.back().bytes.get() + blockUsed_;
    if (!first.empty())
        std::memcpy(at, first.data(), first.size());
    if (!second.empty())
        std::memcpy(at + first.size(), second.data(), second.size());
    blockUsed_ += length;
    return at;
}

void CliRows::append(std::string_view folder, std::string_view name) {
    push({store(folder, name), folder.size(), name.size(), nullptr, 0});
}

void CliRows::appendLasting(std::string_view path, std::size_t folderLength) {
    push({path.data(), folderLength, path.size() - folderLength, nullptr, 0});
}

std::string_view CliRows::keep(std::string text) {
    return kept_.emplace_back(std::move(text));
}

void CliRows::push(const Row& row) {
    moveGapTo(slots_.size() - gapLength_);
    if (gapLength_ > 0) {
        slots_[gapStart_++] = row;
        --gapLength_;
    } else {
        slots_.push_back(row);
        ++gapStart_;
    }
}

void CliRows::reserve(std::size_t count) {
    slots_.reserve(count + gapLength_);
}

int CliRows::count() const {
    return static_cast<int>(slots_.size() - gapLength_);
}

std::size_t CliRows::slot(int row) const {
    auto r = static_cast<std::size_t>(row);
    return r < gapStart_ ? r : r + gapLength_;
}

const CliRows::Row& CliRows::at(int row) const {
    return slots_[slot(row)];
}

std::string_view CliRows::folder(int row) const {
    const Row& r = at(row);
    return {r.path, r.folderLength};
}

std::string_view CliRows::name(int row) const {
    const Row& r = at(row);
    return {r.path + r.folderLength, r.nameLength};
}

std::string_view CliRows::path(int row) const {
    const Row& r = at(row);
    return {r.path, r.folderLength + r.nameLength};
}

std::string_view CliRows::newName(int row) const {
    const Row& r = at(row);
    if (r.newPath == nullptr)
        return {};
    return {r.newPath + r.folderLength, r.newNameLength};
}

std::string_view CliRows::newPath(int row) const {
    const Row& r = at(row);
    if (r.newPath == nullptr)
        return {};
    return {r.newPath, r.folderLength + r.newNameLength};
}

std::string CliRows::column(int row, RowColumn column) const {
    std::string unused;
    return std::string(columnView(row, column, unused));
}

std::string_view CliRows::columnView(int row, RowColumn column, std::string&) const {
    switch (column) {
    case RowColumn::FilePath:
        return folder(row);
    case RowColumn::CurrentName:
        return name(row);
    case RowColumn::NewName:
        return newName(row);
    }
    return {};
}

// A new name replaces the one before in the row; the bytes of that stay in the store.
void CliRows::setNewName(int row, std::string newName) {
    Row& r = slots_[slot(row)];
    if (newName.empty()) {
        r.newPath = nullptr;
        r.newNameLength = 0;
        return;
    }
    r.newPath = store({r.path, r.folderLength}, newName);
    r.newNameLength = newName.size();
}

void CliRows::deleteRow(int row) {
    moveGapTo(static_cast<std::size_t>(row));
    ++gapLength_;
}

// Moves the rows between the gap and position across it, so that the gap starts at position.
void CliRows::moveGapTo(std::size_t position) {
    if (gapLength_ == 0) {
        gapStart_ = position;
        return;
    }
    while (gapStart_ > position) {
        --gapStart_;
        slots_[gapStart_ + gapLength_] = slots_[gapStart_];
    }
    while (gapStart_ < position) {
        slots_[gapStart_] = slots_[gapStart_ + gapLength_];
        ++gapStart_;
    }
}

#include "cli_rows.h"

#include <utility>

void CliRows::append(CliRow row) {
    moveGapTo(slots_.size() - gapLength_);
    if (gapLength_ > 0) {
        slots_[gapStart_++] = std::move(row);
        --gapLength_;
    } else {
        slots_.push_back(std::move(row));
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

const CliRow& CliRows::at(int row) const {
    return slots_[slot(row)];
}

std::string CliRows::column(int row, RowColumn column) const {
    const CliRow& r = at(row);
    switch (column) {
    case RowColumn::FilePath:
        return r.folder;
    case RowColumn::CurrentName:
        return r.name;
    case RowColumn::NewName:
        return r.newName;
    }
    return {};
}

void CliRows::setNewName(int row, std::string newName) {
    slots_[slot(row)].newName = std::move(newName);
}

void CliRows::deleteRow(int row) {
    moveGapTo(static_cast<std::size_t>(row));
    slots_[gapStart_ + gapLength_] = CliRow();
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
        slots_[gapStart_ + gapLength_] = std::move(slots_[gapStart_]);
    }
    while (gapStart_ < position) {
        slots_[gapStart_] = std::move(slots_[gapStart_ + gapLength_]);
        ++gapStart_;
    }
}

#include "fake_pass.h"

#include <stdexcept>

std::string FakeRows::column(int row, RowColumn column) const {
    const FakeRow& r = rows.at(static_cast<std::size_t>(row));
    switch (column) {
    case RowColumn::FilePath:
        return r.folder;
    case RowColumn::CurrentName:
        return r.name;
    case RowColumn::NewName:
        return r.newName;
    }
    throw std::logic_error("no such column");
}

void FakeRows::setNewName(int row, std::string newName) {
    rows.at(static_cast<std::size_t>(row)).newName = std::move(newName);
    ++newNamesWritten;
}

void FakeRows::deleteRow(int row) {
    if (row < 0 || row >= count())
        throw std::out_of_range("no such row");
    if (pass != nullptr) {
        pass->rowDeleting(count());
        armedAfterDeletion.push_back(pass->renameArmed());
    }
    rows.erase(rows.begin() + row);
}

std::string FakeRows::listedFile(int row) const {
    return rows.at(static_cast<std::size_t>(row)).listed;
}

RenameResult FakeRenamer::renameListed(const std::string& oldPath, const std::string& newPath,
                                       const std::string& listedFile) {
    auto file = files.find(oldPath);
    if (!listedFile.empty() && (file == files.end() || file->second != listedFile)) {
        calls.emplace_back(oldPath, newPath);
        return {false};
    }
    return rename(oldPath, newPath);
}

RenameResult FakeRenamer::rename(const std::string& oldPath, const std::string& newPath) {
    calls.emplace_back(oldPath, newPath);
    auto from = files.find(oldPath);
    if (from == files.end())
        return {false};
    if (oldPath == newPath)
        return {true};
    if (files.count(newPath) != 0)
        return {false};
    files[newPath] = from->second;
    files.erase(oldPath);
    return {true};
}

void FakeHistory::remove(int index) {
    if (index < 0 || index >= count())
        throw std::out_of_range("no such entry");
    entries.erase(entries.begin() + index);
    if (selected == index)
        selected = -1;
    else if (selected > index)
        --selected;
}

void FakeHistory::insertAtTop(const std::string& text) {
    entries.insert(entries.begin(), text);
    if (selected != -1)
        ++selected;
}

#include "support/FakeFileSystem.h"

#include <algorithm>
#include <utility>

#include "common/Paths.h"

namespace kvotlk::test {
namespace {

class FakeFile final : public WritableFile {
 public:
  FakeFile(FakeFileSystem& owner, Path path) : owner_(owner), path_(std::move(path)) {}

  bool write(std::string_view bytes) override {
    if (closed_) {
      return false;
    }
    owner_.files[fsKey(path_)].append(bytes);
    return true;
  }

  bool flush() override {
    if (closed_) {
      return false;
    }
    owner_.durable[fsKey(path_)] = owner_.files[fsKey(path_)];
    return true;
  }
  bool close() override { return !std::exchange(closed_, true); }

 private:
  FakeFileSystem& owner_;
  Path path_;
  bool closed_ = false;
};

// The key of the containing folder; a trailing separator does not make a path its own
// parent.
std::string parentKey(const Path& path) { return fsKey(toFsPath(fsKey(path)).parent_path()); }

}  // namespace

std::string fsKey(const Path& path) {
  // UTF-8 on every platform: generic_string() would use the code page on Windows.
  const std::u8string generic = path.lexically_normal().generic_u8string();
  std::string key(generic.begin(), generic.end());
  if (key.size() > 1 && key.back() == '/') {
    key.pop_back();
  }
  return key;
}

bool FakeFileSystem::fileExists(const Path& path) { return files.count(fsKey(path)) > 0; }

bool FakeFileSystem::folderExists(const Path& path) { return folders_.count(fsKey(path)) > 0; }

bool FakeFileSystem::createFolder(const Path& path) {
  const std::string key = fsKey(path);
  if (folders_.count(key) > 0 || files.count(key) > 0 || folders_.count(parentKey(path)) == 0) {
    return false;
  }
  folders_.insert(key);
  return true;
}

bool FakeFileSystem::removeFile(const Path& path) { return files.erase(fsKey(path)) > 0; }

std::unique_ptr<WritableFile> FakeFileSystem::createFile(const Path& path) {
  const std::string key = fsKey(path);
  if (folders_.count(parentKey(path)) == 0 || folders_.count(key) > 0) {
    return nullptr;
  }
  files[key].clear();
  written_[key] = ++clock_;
  return std::make_unique<FakeFile>(*this, path);
}

std::unique_ptr<WritableFile> FakeFileSystem::createNewFile(const Path& path) {
  return files.count(fsKey(path)) > 0 ? nullptr : createFile(path);
}

std::unique_ptr<WritableFile> FakeFileSystem::openForAppend(const Path& path) {
  return files.count(fsKey(path)) > 0 ? std::make_unique<FakeFile>(*this, path) : nullptr;
}

std::optional<std::string> FakeFileSystem::readFile(const Path& path) {
  const auto found = files.find(fsKey(path));
  return found == files.end() ? std::nullopt : std::optional(found->second);
}

bool FakeFileSystem::renameNoReplace(const Path& from, const Path& to) {
  return files.count(fsKey(to)) == 0 && renameReplacing(from, to);
}

bool FakeFileSystem::renameReplacing(const Path& from, const Path& to) {
  const auto source = files.find(fsKey(from));
  const std::string target = fsKey(to);
  if (source == files.end() || folders_.count(target) > 0 || folders_.count(parentKey(to)) == 0) {
    return false;
  }
  std::string content = std::move(source->second);
  const std::int64_t time = written_[source->first];
  files.erase(source);
  files[target] = std::move(content);
  written_[target] = time;
  return true;
}

std::vector<FolderEntry> FakeFileSystem::listFiles(const Path& folder) {
  std::vector<FolderEntry> entries;
  for (const std::string& name : filesIn(toUtf8(folder))) {
    entries.push_back({name, written_[fsKey(folder / toFsPath(name))]});
  }
  return entries;
}

void FakeFileSystem::addFolder(const std::string& path) {
  for (Path p = toFsPath(path).lexically_normal(); !p.empty(); p = p.parent_path()) {
    folders_.insert(fsKey(p));
    if (p == p.parent_path()) {
      break;
    }
  }
}

void FakeFileSystem::addFile(const std::string& path, std::string content) {
  addFolder(toUtf8(toFsPath(path).lexically_normal().parent_path()));
  files[fsKey(toFsPath(path))] = std::move(content);
  written_[fsKey(toFsPath(path))] = ++clock_;
}

bool FakeFileSystem::hasFile(const std::string& path) const {
  return files.count(fsKey(toFsPath(path))) > 0;
}

std::string FakeFileSystem::content(const std::string& path) const {
  const auto found = files.find(fsKey(toFsPath(path)));
  return found == files.end() ? std::string() : found->second;
}

std::vector<std::string> FakeFileSystem::filesIn(const std::string& folder) const {
  const std::string key = fsKey(toFsPath(folder));
  std::vector<std::string> names;
  for (const auto& [path, content] : files) {
    const Path p = toFsPath(path);
    if (fsKey(p.parent_path()) == key) {
      names.push_back(toUtf8(p.filename()));
    }
  }
  std::sort(names.begin(), names.end());
  return names;
}

}  // namespace kvotlk::test

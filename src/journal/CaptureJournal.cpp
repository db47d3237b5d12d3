#include "journal/CaptureJournal.h"

#include <utility>

#include "common/Environment.h"
#include "common/ExactNumber.h"
#include "common/Paths.h"
#include "journal/JournalFormat.h"

namespace kvotlk {

std::unique_ptr<CaptureJournal> CaptureJournal::Begin(Environment& env, const OrderForm& form,
                                                      const std::string& strMessprogrammName,
                                                      const JournaledCapture* restored) {
  std::string text = JournalOpening(form, strMessprogrammName);
  if (restored) {
    text += JournalSamples(*restored);
  }
  const Path path = toFsPath(joinPath(env.data(), kJournalName));
  // One converter runs per workstation, so a fixed name is the writer's own; a leftover of
  // a killed start is removed first. It draws no random name, so the names of result files
  // stay as they were without a journal.
  const Path temporary = toFsPath(joinPath(env.data(), std::string(kJournalName) + ".neu"));
  env.files.removeFile(temporary);
  if (!writeNewFile(env.files, temporary, text)) {
    return nullptr;
  }
  if (!env.files.renameReplacing(temporary, path)) {
    env.files.removeFile(temporary);
    return nullptr;
  }
  auto file = env.files.openForAppend(path);
  if (!file) {
    env.files.removeFile(path);
    return nullptr;
  }
  return std::make_unique<CaptureJournal>(env.files, path, std::move(file));
}

CaptureJournal::CaptureJournal(FileSystem& files, Path path, std::unique_ptr<WritableFile> file)
    : files_(files), path_(std::move(path)), file_(std::move(file)) {}

void CaptureJournal::sampleBegun(std::int16_t number) {
  const std::lock_guard lock(mutex_);
  // The sample before has ended: it goes to the file now, to the disk at the next tick.
  writeOut(false);
  add("Stichprobe", {std::to_string(number)});
}

void CaptureJournal::valueStored(std::int16_t sample, std::int16_t index, int decimals,
                                 const std::string& id, double value) {
  const std::lock_guard lock(mutex_);
  add("Wert", {std::to_string(sample), std::to_string(index), std::to_string(decimals), id,
               ExactText(value)});
}

void CaptureJournal::sampleDeleted(std::int16_t remaining) {
  const std::lock_guard lock(mutex_);
  add("Loeschen", {std::to_string(remaining)});
  writeOut(true);
}

void CaptureJournal::sampleSizeRaised(std::int16_t size) {
  const std::lock_guard lock(mutex_);
  add("Umfang", {std::to_string(size)});
  writeOut(true);
}

void CaptureJournal::sending(const std::string& name) {
  const std::lock_guard lock(mutex_);
  add("Senden", {name});
  writeOut(true);
}

void CaptureJournal::tick() {
  const std::lock_guard lock(mutex_);
  writeOut(true);
}

void CaptureJournal::end() {
  const std::lock_guard lock(mutex_);
  if (std::exchange(ended_, true)) {
    return;
  }
  waiting_.clear();
  if (file_) {
    add(kJournalEnd, {});
    writeOut(true);
  }
  if (file_) {
    file_->close();
    file_.reset();
  }
  files_.removeFile(path_);
}

void CaptureJournal::leave() {
  const std::lock_guard lock(mutex_);
  if (!std::exchange(ended_, true) && file_) {
    writeOut(true);
    file_->close();
    file_.reset();
  }
}

void CaptureJournal::add(const std::string& kind, std::initializer_list<std::string> fields) {
  if (file_) {
    waiting_ += EncodeRecord({kind, fields});
  }
}

void CaptureJournal::writeOut(bool durable) {
  if (!file_) {
    return;
  }
  if (!waiting_.empty()) {
    // A failed write may leave part of a line: the reader drops a torn last line, and no
    // further line is written after it.
    if (!file_->write(waiting_)) {
      file_.reset();
      return;
    }
    waiting_.clear();
    unsynced_ = true;
  }
  if (durable && unsynced_) {
    unsynced_ = !file_->flush();
  }
}

}  // namespace kvotlk

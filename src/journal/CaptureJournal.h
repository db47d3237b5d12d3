#pragma once

#include <cstdint>
#include <memory>
#include <mutex>
#include <string>

#include "common/FileSystem.h"

namespace kvotlk {

struct Environment;
struct JournaledCapture;
struct OrderForm;

// The journal of the open capture in the data folder: the order as confirmed and every
// change of the samples, so that a capture survives the end of the process. Records of
// values wait in memory and are written when a sample begins and on every tick(); a
// tick makes them durable. Records of any other change are durable at once. The send,
// off the window's thread, ends the journal while the window may tick: every call is
// locked.
class CaptureJournal {
 public:
  // The journal of a confirmed order, holding the samples of a restored capture when
  // there is one; written whole under a temporary name and put in place of the journal
  // there. nullptr when it cannot be written.
  static std::unique_ptr<CaptureJournal> Begin(Environment& env, const OrderForm& form,
                                               const std::string& strMessprogrammName,
                                               const JournaledCapture* restored);
  CaptureJournal(FileSystem& files, Path path, std::unique_ptr<WritableFile> file);

  void sampleBegun(std::int16_t number);
  void valueStored(std::int16_t sample, std::int16_t index, int decimals, const std::string& id,
                   double value);
  void sampleDeleted(std::int16_t remaining);
  void sampleSizeRaised(std::int16_t size);
  // The result file of this name is about to be staged.
  void sending(const std::string& name);
  // Writes what waits and makes everything written durable.
  void tick();
  // The capture is over (its file staged, or its samples dropped): the journal is removed.
  void end();
  // The capture closed otherwise: the journal stays as it is, and is written no more.
  void leave();

 private:
  void add(const std::string& kind, std::initializer_list<std::string> fields);
  // Writes what waits; with durable, makes it reach the disk.
  void writeOut(bool durable);

  std::mutex mutex_;
  FileSystem& files_;
  Path path_;
  std::unique_ptr<WritableFile> file_;
  std::string waiting_;
  bool unsynced_ = false;
  bool ended_ = false;
};

}  // namespace kvotlk

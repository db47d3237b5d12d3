#include "catalogs/CatalogFiles.h"

#include "common/Environment.h"
#include "common/FileSystem.h"
#include "common/Paths.h"
#include "common/Prompts.h"
#include "common/Text.h"

namespace kvotlk {
namespace {

std::string_view fileName(Catalog catalog) {
  switch (catalog) {
    case Catalog::Pruefer:
      return "Prüfer.dat";
    case Catalog::Maschine:
      return "Maschine.dat";
    case Catalog::NestID:
      break;
  }
  return "NestID.dat";
}

}  // namespace

std::string CatalogPath(std::string_view dataFolder, Catalog catalog) {
  return joinPath(joinPath(dataFolder, "Kataloge"), fileName(catalog));
}

std::optional<std::vector<std::string>> ReadCatalog(FileSystem& files, const std::string& path) {
  const auto content = files.readFile(toFsPath(path));
  if (!content) {
    return std::nullopt;
  }
  return splitLines(fromCp1252(*content));
}

bool WriteCatalog(FileSystem& files, const std::string& path,
                  const std::vector<std::string>& entries) {
  std::string content;
  for (const std::string& entry : entries) {
    appendLine(content, toCp1252(entry));
  }
  // The new content is written beside the catalogue first: a write that fails half-way
  // must not cost the operator the catalogue that was there.
  const Path target = toFsPath(path);
  const Path written = toFsPath(path + ".tmp");
  if (!writeWholeFile(files, written, content)) {
    files.removeFile(written);
    return false;
  }
  if (!files.renameReplacing(written, target)) {
    files.removeFile(written);
    return false;
  }
  return true;
}

std::string MissingCatalogMessage(Catalog catalog) {
  switch (catalog) {
    case Catalog::Pruefer:
      return "Katalogdatei für Prüfer fehlt. Erzeugen Sie zuerst diesen Katalog.";
    case Catalog::Maschine:
      return "Katalogdatei für Maschine fehlt. Erzeugen Sie zuerst diesen Katalog.";
    case Catalog::NestID:
      break;
  }
  return {};
}

std::vector<std::string> ReadCatalogForList(Environment& env, Catalog catalog) {
  auto lines = ReadCatalog(env.files, CatalogPath(env.data(), catalog));
  if (!lines) {
    const std::string message = MissingCatalogMessage(catalog);
    if (!message.empty()) {
      env.prompts.showStop(message);
    }
    return {};
  }
  return std::move(*lines);
}

}  // namespace kvotlk

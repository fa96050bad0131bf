#include "payload/tests/manifest_reader.h"
#include <gtest/gtest.h>
#include <windows.h>
#include <stdlib.h>

#include <fstream>
#include <iterator>
#include <sstream>

namespace {

// A path given relative to this test program's folder, as a Windows path.
std::string BesideTest(const char* relative) {
  char self[MAX_PATH];
  GetModuleFileNameA(nullptr, self, MAX_PATH);
  std::string path(self);
  path = path.substr(0, path.find_last_of("\\/") + 1) + relative;
  for (char& c : path)
    if (c == '/') c = '\\';
  return path;
}

std::string ReadWhole(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  EXPECT_TRUE(in.good()) << "cannot read " << path;
  return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

Manifest ReadManifest() {
  Manifest read;
  std::istringstream lines(ReadWhole(BesideTest(BRX_MANIFEST_FROM_TEST)));
  for (std::string line; std::getline(lines, line);) {
    std::istringstream words(line.substr(0, line.find('#')));
    std::string kind;
    words >> kind;
    if (kind == "folder") {
      std::string folderClass, path;
      words >> folderClass >> path;
      read.folderClasses.push_back(folderClass);
      read.folderPaths.push_back(path);
    } else if (kind == "block") {
      ManifestBlock b;
      words >> b.name >> b.source >> b.from >> b.end >> b.order >> b.folder >> b.installedAs >> b.constant;
      read.blocks.push_back(b);
    }
  }
  return read;
}

}  // namespace

const Manifest& TheManifest() {
  static const Manifest manifest = ReadManifest();
  return manifest;
}

bool DemoPayload() { return !*BRX_PAYLOAD_FOLDER_FROM_TEST; }

std::string SourceBytes(const ManifestBlock& block) {
  const char* folder = block.from == "standin"    ? BRX_STANDIN_FOLDER_FROM_TEST
                       : block.from == "template" ? BRX_TEXTS_FROM_TEST
                                                  : BRX_ASSETS_FROM_TEST;
  std::string path = BesideTest(folder) + "\\" + block.source;
  // With a payload folder every installed file comes from there, under its installed path.
  if (*BRX_PAYLOAD_FOLDER_FROM_TEST && block.order != "-") {
    const Manifest& manifest = TheManifest();
    path = BesideTest(BRX_PAYLOAD_FOLDER_FROM_TEST) + "\\";
    for (size_t i = 0; i < manifest.folderClasses.size(); ++i)
      if (manifest.folderClasses[i] == block.folder && manifest.folderPaths[i] != ".")
        path += manifest.folderPaths[i] + "\\";
    path += block.installedAs;
    for (char& c : path)
      if (c == '/') c = '\\';
  }
  std::string bytes = ReadWhole(path);
  if (block.end == "zero") bytes.push_back('\0');
  return bytes;
}

const PayloadEntry* InstalledRow(const std::string& blockName) {
  for (const ManifestBlock& block : TheManifest().blocks) {
    if (block.name != blockName || block.order == "-") continue;
    const int row = atoi(block.order.c_str()) - 1;
    return row >= 0 && row < PayloadCount ? &PayloadTable[row] : nullptr;
  }
  return nullptr;
}

const PayloadEntry* Row(const std::string& name) {
  for (const PayloadEntry& entry : PayloadTable)
    if (name == entry.name) return &entry;
  return nullptr;
}

// The embedded blocks and the payload table against payload/manifest.txt and the files it
// names, read from disk: every block holds exactly its source's bytes at its place in the
// storage order, and every installed file has the manifest's name, folder and position.
#include <gtest/gtest.h>
#include <windows.h>
#include <string.h>
#include <zlib.h>

#include <fstream>
#include <iterator>
#include <map>
#include <sstream>
#include <string>
#include <vector>

#include "payload/payload.h"

namespace {

struct ManifestBlock {
  std::string name, source, from, end, order, folder, installedAs, constant;
};

struct Manifest {
  std::vector<std::string> folderClasses, folderPaths;
  std::vector<ManifestBlock> blocks;  // in storage order
};

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

const Manifest& TheManifest() {
  static const Manifest manifest = [] {
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
  }();
  return manifest;
}

// The bytes a block must hold: its source file, and the zero byte that ends a text.
std::string SourceBytes(const ManifestBlock& block) {
  std::string path = block.from == "standin" ? BesideTest(BRX_STANDIN_FOLDER_FROM_TEST)
                                             : BesideTest(BRX_ASSETS_FROM_TEST);
  std::string bytes = ReadWhole(path + "\\" + block.source);
  if (block.end == "zero") bytes.push_back('\0');
  return bytes;
}

std::string BytesOf(const uint8_t* data, int32_t size) {
  return std::string(reinterpret_cast<const char*>(data), size);
}

EmbeddedBlock TextBlock(const char* text) {
  return {reinterpret_cast<const uint8_t*>(text), int32_t(strlen(text) + 1)};
}

// How the wizard reaches the blocks it shows; installed blocks are reached through their
// payload row as well.
std::map<std::string, EmbeddedBlock> WizardBlocks() {
  return {
      {"Picture0", EmbeddedPicture(0)},         {"Picture1", EmbeddedPicture(1)},
      {"WelcomeText", TextBlock(WelcomeText())}, {"LicenceText", TextBlock(LicenceText())},
      {"Icon2", EmbeddedIcon(2)},               {"Icon3", EmbeddedIcon(3)},
      {"FinishText", TextBlock(FinishText())},
  };
}

const PayloadEntry* Row(const std::string& name) {
  for (const PayloadEntry& entry : PayloadTable)
    if (name == entry.name) return &entry;
  return nullptr;
}

}  // namespace

TEST(PayloadManifest, EveryBlockHoldsItsSourceAtItsPlaceInStorageOrder) {
  const Manifest& manifest = TheManifest();
  ASSERT_FALSE(manifest.blocks.empty());
  const std::map<std::string, EmbeddedBlock> wizard = WizardBlocks();
  const uint8_t* first = nullptr;
  size_t offset = 0;
  for (const ManifestBlock& block : manifest.blocks) {
    SCOPED_TRACE(block.name);
    const std::string expected = SourceBytes(block);
    std::vector<EmbeddedBlock> reached;
    auto shown = wizard.find(block.name);
    if (shown != wizard.end()) reached.push_back(shown->second);
    if (block.order != "-") {
      const int row = atoi(block.order.c_str()) - 1;
      ASSERT_TRUE(row >= 0 && row < PayloadCount) << block.order;
      reached.push_back({PayloadTable[row].data, PayloadTable[row].size});
    }
    ASSERT_FALSE(reached.empty()) << "neither the wizard nor the payload table reaches it";
    if (!first) first = reached[0].data - offset;
    for (const EmbeddedBlock& at : reached) {
      EXPECT_EQ(first + offset, at.data);
      ASSERT_EQ(int32_t(expected.size()), at.size);
      EXPECT_TRUE(BytesOf(at.data, at.size) == expected) << "the bytes differ from " << block.source;
    }
    offset += expected.size();
  }
}

TEST(PayloadManifest, InstalledRowsHaveTheManifestsNamesFoldersAndChecksums) {
  const Manifest& manifest = TheManifest();
  int installed = 0;
  for (const ManifestBlock& block : manifest.blocks) {
    if (block.order == "-") continue;
    SCOPED_TRACE(block.name);
    ++installed;
    const int row = atoi(block.order.c_str()) - 1;
    ASSERT_TRUE(row >= 0 && row < PayloadCount) << block.order;
    const PayloadEntry& entry = PayloadTable[row];
    EXPECT_STREQ(block.installedAs.c_str(), entry.name);
    ASSERT_GE(int(entry.destination), 0);
    ASSERT_LT(size_t(entry.destination), manifest.folderClasses.size());
    EXPECT_EQ(block.folder, manifest.folderClasses[entry.destination]);
    const std::string source = SourceBytes(block);
    EXPECT_EQ(crc32(0, reinterpret_cast<const Bytef*>(source.data()), uInt(source.size())), entry.crc);
  }
  EXPECT_EQ(PayloadCount, installed);
}

TEST(PayloadManifest, FolderClassesHaveTheManifestsPaths) {
  const Manifest& manifest = TheManifest();
  ASSERT_EQ(sizeof DestinationSubfolders / sizeof DestinationSubfolders[0], manifest.folderPaths.size());
  for (size_t i = 0; i < manifest.folderPaths.size(); ++i) {
    std::string path = manifest.folderPaths[i] == "." ? "" : manifest.folderPaths[i] + "\\";
    for (char& c : path)
      if (c == '/') c = '\\';
    EXPECT_EQ(path, DestinationSubfolders[i]) << manifest.folderClasses[i];
  }
}

// The constants name the files the program uses for other purposes: the program itself
// (registry and shortcuts) and the licence (its shortcut).
TEST(PayloadManifest, NamedFilesAreTheProgramAndTheLicence) {
  const PayloadEntry* program = Row(ProgramFileName);
  const PayloadEntry* licence = Row(LicenceFileName);
  ASSERT_NE(nullptr, program);
  ASSERT_NE(nullptr, licence);
  EXPECT_EQ(DestinationFolder, program->destination);
  EXPECT_EQ(DestinationFolder, licence->destination);
  EXPECT_EQ(0, memcmp(program->data, "MZ", 2));
  EXPECT_EQ(reinterpret_cast<const uint8_t*>(LicenceText()), licence->data);
  const std::map<std::string, std::string> constants = {{"ProgramFileName", ProgramFileName},
                                                        {"LicenceFileName", LicenceFileName}};
  for (const ManifestBlock& block : TheManifest().blocks) {
    auto constant = constants.find(block.constant);
    if (constant != constants.end()) {
      EXPECT_EQ(constant->second, block.installedAs) << block.name;
    }
  }
}

TEST(PayloadManifest, NoTwoInstalledFilesShareTheirBytesOrTheirPath) {
  for (int i = 0; i < PayloadCount; ++i) {
    for (int j = i + 1; j < PayloadCount; ++j) {
      const PayloadEntry &a = PayloadTable[i], &b = PayloadTable[j];
      SCOPED_TRACE(std::string(a.name) + " and " + b.name);
      EXPECT_NE(a.data, b.data);
      EXPECT_FALSE(BytesOf(a.data, a.size) == BytesOf(b.data, b.size));
      // Windows file names ignore case: the later file would replace the earlier.
      EXPECT_FALSE(a.destination == b.destination && lstrcmpiA(a.name, b.name) == 0);
    }
  }
}

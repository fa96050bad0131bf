// The embedded blocks and the payload table against payload/manifest.txt and the files it
// names, read from disk: every block holds exactly its source's bytes at its place in the
// storage order, and every installed file has the manifest's name, folder and position.
#include <gtest/gtest.h>
#include <windows.h>
#include <string.h>
#include <zlib.h>

#include <map>
#include <string>
#include <vector>

#include "payload/payload.h"
#include "payload/tests/manifest_reader.h"

namespace {

std::string BytesOf(const uint8_t* data, int32_t size) {
  return std::string(reinterpret_cast<const char*>(data), size);
}

EmbeddedBlock TextBlock(EmbeddedText text) {
  return {reinterpret_cast<const uint8_t*>(text.text), text.length + 1};
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
      const PayloadEntry* row = InstalledRow(block.name);
      ASSERT_NE(nullptr, row) << "extracted at " << block.order;
      reached.push_back({row->data, row->size});
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
    const PayloadEntry* row = InstalledRow(block.name);
    ASSERT_NE(nullptr, row) << "extracted at " << block.order;
    const PayloadEntry& entry = *row;
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
  EXPECT_EQ(reinterpret_cast<const uint8_t*>(LicenceText().text), licence->data);
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
      if (DemoPayload()) {  // a company's files may repeat one another
        EXPECT_NE(a.data, b.data);
        EXPECT_FALSE(BytesOf(a.data, a.size) == BytesOf(b.data, b.size));
      }
      // Windows file names ignore case: the later file would replace the earlier.
      EXPECT_FALSE(a.destination == b.destination && lstrcmpiA(a.name, b.name) == 0);
    }
  }
}

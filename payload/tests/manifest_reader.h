// payload/manifest.txt as the payload tests read it from disk, and the sources it names.
#pragma once
#include <string>
#include <vector>

#include "payload/payload.h"

struct ManifestBlock {
  std::string name, source, from, end, order, folder, installedAs, constant;
};

struct Manifest {
  std::vector<std::string> folderClasses, folderPaths;
  std::vector<ManifestBlock> blocks;  // in storage order
};

const Manifest& TheManifest();

// The bytes a block must hold: its source file (an installed file's in the payload folder,
// when the build has one), and the zero byte that ends a text.
std::string SourceBytes(const ManifestBlock& block);

// The payload row of an installed block, by the block's name; nullptr for any other.
const PayloadEntry* InstalledRow(const std::string& blockName);

// The payload row of an installed file, by its name.
const PayloadEntry* Row(const std::string& name);

// True for the stand-in and the demo project, false for a payload folder's files, whose
// content is the company's: the checks of the demo payload's own content skip then.
bool DemoPayload();

#pragma once
// Generated save files on disk for the zovek-cli tests.

#include <cstdint>
#include <filesystem>
#include <string>

#include "savefile/SaveFileFixtures.h"
#include "savefile/TempDir.h"
#include "savegen/ByteFiles.h"
#include "savegen/DemoFiles.h"
#include "savegen/DemoSave.h"
#include "savegen/SaveForms.h"
#include "savegen/SaveImages.h"

namespace zovek::clitest {

using savegen::Bytes;
using savegen::CardImage;
using savegen::ChecksumMode;
using savegen::DigitForSave;
using savegen::SingleSave;
using testfiles::Flipped;
using testfiles::TempDir;
using testfiles::ThreeSaveCard;
using testfiles::Write;

}  // namespace zovek::clitest

#include "savegen/SaveImages.h"

#include <algorithm>
#include <stdexcept>
#include <string>

#include "savegen/Random.h"

namespace zovek::savegen {

namespace {

void CheckBlock(int block) {
  if (block < 1 || block > kSaveNumbers) {
    throw std::invalid_argument("block must be 1..15, got " + std::to_string(block));
  }
}

Bytes NoiseBytes(std::size_t size, std::uint32_t seed) {
  Bytes bytes(size, 0);
  if (seed != 0) {
    Random random(seed);
    std::generate(bytes.begin(), bytes.end(), [&] { return random.Byte(); });
  }
  return bytes;
}

void FillNoise(std::span<std::uint8_t> bytes, std::uint64_t seed) {
  Random random(seed);
  std::generate(bytes.begin(), bytes.end(), [&] { return random.Byte(); });
}

SaveBuffer WithChecksum(const SaveBuffer& region, ChecksumMode mode) {
  SaveBuffer copy = region;
  ApplyChecksum(copy, mode);
  return copy;
}

}  // namespace

std::uint8_t DigitForSave(int saveNumber) {
  if (saveNumber < 1 || saveNumber > kSaveNumbers) {
    throw std::invalid_argument("save number must be 1..15, got " + std::to_string(saveNumber));
  }
  return static_cast<std::uint8_t>(saveNumber <= 10 ? '0' + saveNumber - 1 : 'A' + saveNumber - 11);
}

std::uint8_t RegionChecksum(const SaveBuffer& region) {
  unsigned sum = region[0];
  for (std::size_t i = 2; i < region.size(); ++i) {
    sum += region[i];
  }
  return static_cast<std::uint8_t>(sum % 256);
}

void ApplyChecksum(SaveBuffer& region, ChecksumMode mode) {
  if (mode == ChecksumMode::Correct) {
    region[1] = RegionChecksum(region);
  } else if (mode == ChecksumMode::Wrong) {
    region[1] = static_cast<std::uint8_t>(RegionChecksum(region) + 1);
  }
}

void PutFrame(std::span<std::uint8_t> frame, std::string_view code, std::uint8_t digit) {
  if (code.size() != kGameCode.size()) {
    throw std::invalid_argument("a game code has 5 characters: \"" + std::string(code) + "\"");
  }
  if (frame.size() <= kDigitOffsetInFrame) {
    throw std::invalid_argument("a frame has at least 30 bytes");
  }
  std::copy(code.begin(), code.end(), frame.begin() + kCodeOffsetInFrame);
  frame[kDigitOffsetInFrame] = digit;
}

CardImage::CardImage(std::uint32_t noiseSeed) : bytes_(NoiseBytes(kCardImageSize, noiseSeed)) {
  for (int n = 0; n <= kSaveNumbers; ++n) {
    bytes_[FrameOffset(n) + kCodeOffsetInFrame] = 0;
  }
}

CardImage& CardImage::Frame(int n, std::string_view code, std::uint8_t digit) {
  if (n < 0 || n > kSaveNumbers) {
    throw std::invalid_argument("frame must be 0..15, got " + std::to_string(n));
  }
  PutFrame(std::span(bytes_).subspan(FrameOffset(n), kFrameSize), code, digit);
  return *this;
}

CardImage& CardImage::Region(int block, const SaveBuffer& region, ChecksumMode mode) {
  CheckBlock(block);
  const SaveBuffer written = WithChecksum(region, mode);
  std::copy(written.begin(), written.end(), bytes_.begin() + static_cast<std::ptrdiff_t>(RegionOffset(block)));
  return *this;
}

CardImage& CardImage::GameSave(int block, std::uint8_t digit, const SaveBuffer& region, ChecksumMode mode) {
  CheckBlock(block);
  Frame(block, kGameCode, digit);
  FillNoise(std::span(bytes_).subspan(static_cast<std::size_t>(block) * kBlockSize, kDataRegionStartInBlock),
            static_cast<std::uint64_t>(block) * 256 + digit);
  return Region(block, region, mode);
}

CardImage& CardImage::OtherGameSave(int block, std::string_view code, std::uint8_t digit, std::uint32_t seed) {
  CheckBlock(block);
  Frame(block, code, digit);
  FillNoise(std::span(bytes_).subspan(static_cast<std::size_t>(block) * kBlockSize, kBlockSize), seed);
  return *this;
}

SaveBuffer CardImage::RegionAt(int block) const {
  CheckBlock(block);
  SaveBuffer region{};
  const auto start = bytes_.begin() + static_cast<std::ptrdiff_t>(RegionOffset(block));
  std::copy(start, start + static_cast<std::ptrdiff_t>(kDataRegionSize), region.begin());
  return region;
}

SingleSave::SingleSave(std::uint32_t noiseSeed) : bytes_(NoiseBytes(kSingleSaveSize, noiseSeed)) {
  bytes_[kCodeOffsetInFrame] = 0;
}

SingleSave& SingleSave::Frame(std::string_view code, std::uint8_t digit) {
  PutFrame(std::span(bytes_).first(kFrameSize), code, digit);
  return *this;
}

SingleSave& SingleSave::Region(const SaveBuffer& region, ChecksumMode mode) {
  const SaveBuffer written = WithChecksum(region, mode);
  std::copy(written.begin(), written.end(), bytes_.begin() + static_cast<std::ptrdiff_t>(kRegionOffset));
  return *this;
}

SingleSave& SingleSave::GameSave(std::uint8_t digit, const SaveBuffer& region, ChecksumMode mode) {
  Frame(kGameCode, digit);
  return Region(region, mode);
}

SaveBuffer SingleSave::RegionAt() const {
  SaveBuffer region{};
  const auto start = bytes_.begin() + static_cast<std::ptrdiff_t>(kRegionOffset);
  std::copy(start, start + static_cast<std::ptrdiff_t>(kDataRegionSize), region.begin());
  return region;
}

Bytes GmeContainer(std::span<const std::uint8_t> card, std::uint32_t headerSeed) {
  Bytes file = NoiseBytes(kGmeHeaderSize, headerSeed);
  std::copy(kGmeSignature.begin(), kGmeSignature.end(), file.begin());
  file.insert(file.end(), card.begin(), card.end());
  return file;
}

}  // namespace zovek::savegen

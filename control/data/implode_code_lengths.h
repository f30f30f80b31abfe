#pragma once
// Code lengths for an implode code tree, built from symbol counts: a Huffman
// code limited to 16 bits that gives every symbol a code, used or not, since
// the format sends a length for each of a tree's symbols.
#include <cstdint>
#include <span>

namespace quelmar::data {

// Fills `lengths` (same size as `counts`, at least 2) with lengths of 1..16
// bits that form a complete prefix code.
void BuildCodeLengths(std::span<const std::uint32_t> counts, std::span<std::uint8_t> lengths);

}  // namespace quelmar::data

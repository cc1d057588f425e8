#pragma once

#include <fuzzer/FuzzedDataProvider.h>

#include <string>
#include <vector>

#include "tests/fakes/FakeFileSystem.h"

namespace twinpath::fuzz {

// Ends the run as a crash, with the broken rule and the text it was seen on,
// so that libFuzzer keeps the input that broke it.
void require(bool holds, const char* rule, const std::wstring& subject = {});

// A text of at most `maxBytes` input bytes. ASCII bytes stand for themselves,
// the top sixteen for letters of the other scripts the fakes fold and for a
// few odd UTF-16 units, the rest for Latin-1 letters.
std::wstring consumeText(FuzzedDataProvider& in, std::size_t maxBytes);

// The spellings the tree was built with: every name and explicit alias, so
// that an input path can name entries of the tree.
using Words = std::vector<std::wstring>;

// Builds a tree of a few folders and files, with sizes and times, under drive
// and share roots, and removes some of it again. Only names a Windows volume
// can hold go in, and no explicit alias clashes with a name or alias beside
// it: both are given on every real volume, and the program relies on them.
Words addTree(FuzzedDataProvider& in, fakes::FakeFileSystem& fs);

// An input path: a head or none, then items that are words of the tree in
// any case, ".", "..", nothing or any text, joined by "\".
std::wstring consumePath(FuzzedDataProvider& in, const Words& words);

// The number of times `part` occurs in `text`.
std::size_t countOf(const std::wstring& text, const std::wstring& part);

}  // namespace twinpath::fuzz

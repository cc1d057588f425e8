#pragma once

namespace twinpath {

// The case the forms are shown in: as stored, or mapped to capitals or small
// letters.
enum class LetterCase { Stored, Upper, Lower };

}  // namespace twinpath

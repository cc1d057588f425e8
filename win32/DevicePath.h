#pragma once

#include <string>

namespace twinpath::win32 {

// Whether `path` names something other than a file or folder: a device the
// system reaches through a reserved name ("CON", "COM1", and on systems that
// still map them, names such as "C:\dir\NUL.txt"), another object of the
// device namespace ("\\.\pipe\x", the volume "\\.\C:"), or a stream of a file
// ("name.txt:stream", "name.txt::$DATA"). Files reached through other roots of
// the object namespace ("\\?\GLOBALROOT\Device\HarddiskVolumeShadowCopy1\x")
// are files. Such paths have no long and short
// forms, and asking for their attributes would reach into the device.
bool namesNoFileOrFolder(const std::wstring& path);

}  // namespace twinpath::win32

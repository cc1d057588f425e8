#!/bin/sh
# Lists what a Windows executable imports and fails when it imports a
# function that writes, deletes, moves or creates files or registry keys (or
# changes other lasting state of the system), unless docs/imports.md says why
# the import is there; and when it imports from a DLL that docs/imports.md
# does not list.
#   check_imports.sh <objdump> <executable> <docs/imports.md>
# A function such as CreateFileW may open for reading only, but which access
# it asks for cannot be seen here: such families are refused whole.
set -eu
objdump="$1"
executable="$2"
doc="$3"

# Whole families by prefix, C runtime names exactly.
forbidden='^(CreateFile|OpenFile|ReOpenFile|_lcreat|_lopen|_lwrite|_hwrite|WriteFile|DeleteFile|MoveFile'
forbidden="$forbidden"'|CopyFile|ReplaceFile|RemoveDirectory|CreateDirectory|CreateHardLink|CreateSymbolicLink'
forbidden="$forbidden"'|SetFile|SetEndOfFile|DeviceIoControl|WritePrivateProfile|WriteProfile|EncryptFile'
forbidden="$forbidden"'|DecryptFile|SetVolume|DefineDosDevice|DeleteVolumeMountPoint|LZCopy'
forbidden="$forbidden"'|Reg(Create|Set|Delete|Save|Restore|Replace|Load|UnLoad|Copy|Rename|OverridePredef)'
forbidden="$forbidden"'|SHReg(Set|Write|Create|Delete|Copy)|SHSetValue|SHDelete|SHCopyKey|SHFileOperation'
forbidden="$forbidden"'|SHCreateDirectory|SHEmptyRecycleBin|StgCreate|OleSave|WriteClassStg|WriteFmtUserTypeStg'
forbidden="$forbidden"'|SetSystemTime|SetLocalTime|SetComputerName|SystemParametersInfo[AW]$|ChangeDisplaySettings'
forbidden="$forbidden"'|(Nt|Zw)(CreateFile|OpenFile|WriteFile|DeleteFile|SetInformationFile|FsControlFile'
forbidden="$forbidden"'|DeviceIoControlFile|CreateKey|SetValueKey|DeleteKey|DeleteValueKey|RenameKey|SaveKey'
forbidden="$forbidden"'|RestoreKey|LoadKey|ReplaceKey)'
forbidden="$forbidden"'|_?w?(fopen|fopen_s|freopen|freopen_s|fsopen|open|sopen|sopen_s|creat|remove|rename'
forbidden="$forbidden"'|unlink|mkdir|rmdir|chmod|utime|utime32|utime64|futime|futime32|futime64|mktemp|mktemp_s'
forbidden="$forbidden"'|tmpfile|tmpfile_s|tempnam|tmpnam|chsize|chsize_s|write)$)'

# Forbidden imports that docs/imports.md explains (one per line).
documented_exceptions='SetSystemTime'

imports=$("$objdump" -p "$executable" | awk '
    /^\tDLL Name: / { dll = $3; next }
    dll != "" && /^\t[0-9a-f]+\t +[0-9]+ +[^ ]+$/ { print dll, $NF }' | sort)
if [ -z "$imports" ]; then
    echo "no imports found in $executable" >&2
    exit 2
fi

echo "imports of $executable:"
printf '%s\n' "$imports" | sed 's/^/  /'

failed=0
for dll in $(printf '%s\n' "$imports" | cut -d' ' -f1 | sort -u); do
    if ! grep -qi "\`$dll\`" "$doc"; then
        echo "undocumented DLL: $dll (add it to $doc)"
        failed=1
    fi
done
for function in $(printf '%s\n' "$imports" | cut -d' ' -f2 | grep -E "$forbidden" || true); do
    if printf '%s\n' "$documented_exceptions" | grep -qx "$function" && grep -q "\`$function\`" "$doc"; then
        echo "documented exception: $function"
    else
        echo "forbidden import: $(printf '%s\n' "$imports" | grep " $function\$")"
        failed=1
    fi
done
for function in $documented_exceptions; do
    if ! printf '%s\n' "$imports" | grep -q " $function\$"; then
        echo "no longer imported: $function (drop it from the exceptions and $doc)"
        failed=1
    fi
done
exit $failed

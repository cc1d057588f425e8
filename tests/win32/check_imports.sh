#!/bin/sh
# Lists what a Windows executable imports and fails when it imports a
# function that writes, deletes, moves or creates files or registry keys (or
# changes other lasting state of the system), unless its document (in docs/)
# says why the import is there; when it imports from a DLL that the document
# does not list; and when it imports from a DLL that the document says is
# loaded on first use.
#   check_imports.sh <objdump> <executable> <document>
# A function such as CreateFileW may open for reading only, but which access
# it asks for cannot be seen here: such families are refused whole.
set -eu
objdump="$1" executable="$2" doc="$3"

# Whole families by prefix, C runtime names exactly.
forbidden='^(CreateFile|OpenFile|ReOpenFile|_lcreat|_lopen|_lwrite|_hwrite|WriteFile|DeleteFile|MoveFile|CopyFile|ReplaceFile|RemoveDirectory'\
'|CreateDirectory|CreateHardLink|CreateSymbolicLink|SetFile|SetEndOfFile|DeviceIoControl|WritePrivateProfile|WriteProfile|EncryptFile'\
'|DecryptFile|SetVolume|DefineDosDevice|DeleteVolumeMountPoint|LZCopy|Reg(Create|Set|Delete|Save|Restore|Replace|Load|UnLoad|Copy|Rename'\
'|OverridePredef)|SHReg(Set|Write|Create|Delete|Copy)|SHSetValue|SHDelete|SHCopyKey|SHFileOperation|SHCreateDirectory|SHEmptyRecycleBin'\
'|StgCreate|OleSave|WriteClassStg|WriteFmtUserTypeStg|SetSystemTime|SetLocalTime|SetComputerName|SystemParametersInfo[AW]$'\
'|ChangeDisplaySettings|(Nt|Zw)(CreateFile|OpenFile|WriteFile|DeleteFile|SetInformationFile|FsControlFile|DeviceIoControlFile|CreateKey'\
'|SetValueKey|DeleteKey|DeleteValueKey|RenameKey|SaveKey|RestoreKey|LoadKey|ReplaceKey)|_?w?(fopen|fopen_s|freopen|freopen_s|fsopen|open'\
'|sopen|sopen_s|creat|remove|rename|unlink|mkdir|rmdir|chmod|utime|utime32|utime64|futime|futime32|futime64|mktemp|mktemp_s|tmpfile'\
'|tmpfile_s|tempnam|tmpnam|chsize|chsize_s|write)$)'
# Forbidden imports that the document explains: the first column of its
# "## Exceptions" table.
exceptions=$(awk '/^## / { within = $0 == "## Exceptions" } within && /^\| `/' "$doc" | sed 's/^| `\([^`]*\)`.*/\1/')

imports=$("$objdump" -p "$executable" | awk '/^\tDLL Name: / { dll = $3; next }
    dll != "" && /^\t[0-9a-f]+\t +[0-9]+ +[^ ]+$/ { print dll, $NF }' | sort)
[ -n "$imports" ] || { echo "no imports found in $executable" >&2; exit 2; }

failed=0
for dll in $(printf '%s\n' "$imports" | cut -d' ' -f1 | sort -u); do
    grep -qi "\`$dll\`" "$doc" || { echo "undocumented DLL: $dll (add it to $doc)"; failed=1; }
done
for function in $(printf '%s\n' "$imports" | cut -d' ' -f2 | grep -E "$forbidden" || true); do
    printf '%s\n' "$exceptions" | grep -qx "$function" && grep -q "\`$function\`" "$doc" && continue
    echo "forbidden import: $(printf '%s\n' "$imports" | grep " $function\$")"
    failed=1
done
late=$(awk '/^## / { within = $0 == "## Loaded on first use" } within && /^\| `/' "$doc" | sed 's/^| `\([^`]*\)`.*/\1/')
for dll in $late; do
    printf '%s\n' "$imports" | cut -d' ' -f1 | grep -qix "$dll" &&
        { echo "imported at start, though loaded on first use: $dll"; failed=1; }
done
for function in $exceptions; do
    printf '%s\n' "$imports" | grep -q " $function\$" ||
        { echo "no longer imported: $function (drop it from the exceptions and $doc)"; failed=1; }
done
exit $failed

#!/bin/sh
# Makes or removes the folder of many empty files that the large-folder test
# lists, in the Unix folder that the Wine prefix shows as drive C:.
#   large_folder.sh create|remove <default prefix> <folder name> <entries>
# Creating the files under Wine would take minutes. Here most of the cost is
# the inodes, so a few files each carry up to 50,000 names (hard links, which
# a listing shows as files of their own): seconds for 200,000 entries.
set -eu
action="$1"
prefix="${WINEPREFIX:-$2}"
folder="$prefix/dosdevices/c:/$3"
entries="$4"

rm -rf "$folder"
case "$action" in
remove) ;;
create)
    mkdir -p "$folder"
    cd "$folder"
    perl -e '
        my ($count, $seed) = ($ARGV[0], "");
        for my $i (1 .. $count) {
            my $name = sprintf("Entry %06d.dat", $i);
            if (($i - 1) % 50000 == 0) {
                open(my $file, ">", $name) or die "$name: $!\n";
                close $file;
                $seed = $name;
            } else {
                link($seed, $name) or die "$name: $!\n";
            }
        }' "$entries"
    ;;
*)
    echo "usage: $0 create|remove <default prefix> <folder name> <entries>" >&2
    exit 2
    ;;
esac

#!/bin/sh
# Small drives for the file tests: S: is a 1 MiB tmpfs (a save that runs out of space)
# and R: a read-only one (a folder nobody may write to), mapped into the Wine prefix.
#   drives.sh mount|unmount PREFIX FOLDER
# Where mounting is not allowed, nothing is mapped and the tests that need the drives
# say that they were skipped.
action=$1 prefix=$2 folder=$3
small=$folder/small readonly=$folder/readonly
case $action in
mount)
  mkdir -p "$small" "$readonly"
  mountpoint -q "$small" || mount -t tmpfs -o size=1m tmpfs "$small" 2>/dev/null || exit 0
  mountpoint -q "$readonly" || mount -t tmpfs -o size=64k,ro tmpfs "$readonly" 2>/dev/null || exit 0
  ln -sfn "$small" "$prefix/dosdevices/s:"
  ln -sfn "$readonly" "$prefix/dosdevices/r:"
  ;;
unmount)
  rm -f "$prefix/dosdevices/s:" "$prefix/dosdevices/r:"
  umount "$small" 2>/dev/null
  umount "$readonly" 2>/dev/null
  ;;
esac
exit 0

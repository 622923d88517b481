#!/usr/bin/env bash
# small-drive.sh mount|unmount DIR: a 64 MB file system for the low-space scenario. Mounting
# needs root; without it the folder stays an ordinary one and the scenario says it was skipped.
set -u
dir=$2
case "$1" in
  mount)
    mkdir -p "$dir"
    mountpoint -q "$dir" || mount -t tmpfs -o size=64m tmpfs "$dir" 2>/dev/null || true
    ;;
  unmount)
    mountpoint -q "$dir" && umount "$dir"
    ;;
esac
exit 0

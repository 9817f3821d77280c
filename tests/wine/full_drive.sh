#!/usr/bin/env bash
# Mounts a small tmpfs and maps it as drive T: of a Wine prefix, or takes both away again, for the
# Windows full-drive test. Without root nothing is mounted and that test skips with its reason.
#   full_drive.sh mount|unmount <wine prefix> <mount point>
set -u
action=$1 prefix=$2 point=$3
link=$prefix/dosdevices/t:
case $action in
mount)
    if [ "$(id -u)" -ne 0 ]; then
        echo "full drive: not mounted, mounting a tmpfs needs root"
        exit 0
    fi
    mkdir -p "$point"
    if ! mountpoint -q "$point" && ! mount -t tmpfs -o size=512k tarvik-full-drive "$point"; then
        echo "full drive: not mounted, mount refused"
        exit 0
    fi
    ln -sfn "$point" "$link"
    ;;
unmount)
    rm -f "$link"
    if mountpoint -q "$point"; then
        umount "$point"
    fi
    ;;
esac

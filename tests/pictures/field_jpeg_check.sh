#!/bin/sh
# Decodes every playfield JPEG with ImageMagick and djpeg, tools we did not write, and checks the size and
# the encoder's quality: field_jpeg_check.sh DETA_DIR
set -u
deta=$1
status=0
check() {
    file=$deta/$1
    want=$2
    got=$(identify -format '%w %h %m %Q' "$file" 2>&1)
    case $got in
        "$want JPEG "*) ;;
        *) echo "FAIL $1: identify says '$got', want '$want JPEG'"; status=1; return ;;
    esac
    quality=${got##* }
    if [ "$quality" -lt 90 ]; then
        echo "FAIL $1: quality $quality below 90"; status=1
    fi
    if ! djpeg -pnm "$file" > /dev/null 2>&1; then
        echo "FAIL $1: djpeg cannot decode it"; status=1
    fi
}
check Back.jpg "640 480"
for n in 01 02 03 04 05 06 07 08; do
    check "Zun$n.jpg" "125 145"
    check "ZunMask$n.jpg" "125 145"
done
exit $status

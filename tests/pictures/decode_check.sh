#!/bin/sh
# Every picture of ours must decode with tools other than Qt's (ImageMagick, and djpeg for JPEGs), at the
# size the game draws it, JPEGs at quality 90 or better.
#   decode_check.sh FILE WIDTHxHEIGHT [FILE WIDTHxHEIGHT ...]
status=0
while [ $# -ge 2 ]; do
  file=$1 want=$2
  shift 2
  got=$(identify -format '%wx%h %Q' "$file" 2>&1)
  case $got in
    "$want "*) ;;
    *) echo "FAIL $file: identify says '$got', expected $want"; status=1; continue ;;
  esac
  case $file in
    *.jpg)
      # djpeg writes a PPM whose header carries the size.
      header=$(djpeg -ppm "$file" 2>/dev/null | head -c 20 | tr '\n' ' ' | awk '{print $2 "x" $3}')
      [ "$header" = "$want" ] || { echo "FAIL $file: djpeg says '$header', expected $want"; status=1; }
      [ "${got##* }" -ge 90 ] || { echo "FAIL $file: quality ${got##* } below 90"; status=1; } ;;
  esac
done
exit $status

#!/bin/sh
# Every picture of ours must decode with tools other than Qt's, at the size the game draws it.
#   test_title_decode.sh FILE WIDTHxHEIGHT [FILE WIDTHxHEIGHT ...]
status=0
while [ $# -ge 2 ]; do
  file=$1 want=$2
  shift 2
  got=$(identify -format '%wx%h' "$file" 2>/dev/null)
  if [ "$got" != "$want" ]; then
    echo "FAIL $file: identify says '$got', expected $want"; status=1; continue
  fi
  case $file in
    *.jpg)
      # djpeg writes a PPM whose header carries the size.
      header=$(djpeg -ppm "$file" 2>/dev/null | head -c 20 | tr '\n' ' ' | awk '{print $2 "x" $3}')
      if [ "$header" != "$want" ]; then
        echo "FAIL $file: djpeg says '$header', expected $want"; status=1; continue
      fi ;;
  esac
  echo "ok $file $want"
done
exit $status

#!/usr/bin/env bash
# Writes the fuzzers' seed paths as raw GBK bytes (printf, so the file bytes
# are exact whatever this script's own encoding). Both fuzzers share them.
set -euo pipefail
cd "$(dirname "$0")/seeds"

seed() { printf "$2" >"$1"; }

seed drive_alone 'C:'
seed drive_root 'C:\\'
seed shared_folder 'C:\\Users\\Public\\Documents\\Tencent\\QQ'
seed network_path '\\\\srv\\share\\d'
# 誠 is D5 5C, its trail byte a backslash: a level of its own (a real backslash
# right after it), then the start of the last level.
seed trail_byte_backslash 'C:\\Msgs\\\xD5\x5C\\\xC1\xC4\xCC\xEC\\\xD5\x5Ca'
seed doubled_backslash 'C:\\A\\\\B'
seed trailing_backslash 'C:\\A\\'
seed forward_slashes 'C:/A/B'
seed empty ''
# A lead byte with a bad trail, bytes GBK has no use for, and a lone lead at the end.
seed invalid_gbk 'C:\\A\x81\x7F\\B\xFF\\\x80\\C\xD5'
# The core reads up to the first NUL only.
seed embedded_nul 'C:\\A\x00\\B\\C'

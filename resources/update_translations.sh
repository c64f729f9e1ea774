#!/usr/bin/env bash
# Collects the translatable texts of the sources and forms into the three
# translation files here, keeping the translations they already hold. Edit the
# new entries (with Qt Linguist or by hand); the build turns the files into the
# language packs under bin/Language. Needs lupdate (qttools5-dev-tools).
set -euo pipefail
cd "$(dirname "$0")/.."
for pack in English Chinese ChineseTrad; do
  lupdate -locations none -no-obsolete app widgets layout inputs system forms \
    -ts "resources/KSV_Z9050_${pack}.ts"
done

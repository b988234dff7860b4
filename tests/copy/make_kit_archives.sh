#!/bin/sh
# make_kit_archives.sh OUT
# The component archives of the copy tests, made by Info-ZIP zip from small
# trees written here: OUT/src/<COMPONENT>/... and OUT/<COMPONENT>.ZIP. The
# tests cut the archives into kit pieces themselves.
set -eu
out=$1
rm -rf "$out"
mkdir -p "$out/src"
cd "$out/src"
mkdir -p EXE/SUB DBDAT/DATA DBNEW/NEW/DATA BDE32 HELP
# Data that does not compress, so that the archives need several pieces.
head -c 70000 /dev/urandom > EXE/KORVEN.EXE
seq 1 20000 > EXE/README.TXT
echo "nota din subdirector" > EXE/SUB/NOTE.TXT
head -c 30000 /dev/urandom > DBDAT/DATA/CLIENTI.DB
seq 5 5000 > DBNEW/NEW/DATA/GOL.DB
head -c 40000 /dev/urandom > BDE32/IDAPI32.DLL
seq 1 3000 > HELP/KORVEN.HLP
for component in EXE DBDAT DBNEW BDE32 HELP; do
  (cd "$component" && zip -q -r -X "../../$component.ZIP" .)
done

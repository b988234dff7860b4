#!/bin/sh
# make_kit_archives.sh OUT
# The component archives of the copy tests, made by Info-ZIP zip from small
# trees written here: OUT/src/<COMPONENT>/... and OUT/<COMPONENT>.ZIP. The
# tests cut the archives into kit pieces themselves.
set -eu
out=$1
rm -rf "$out"
mkdir -p "$out/src"
out=$(cd "$out" && pwd)
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
for component in EXE DBDAT DBNEW BDE32; do
  (cd "$component" && zip -q -r -X "../../$component.ZIP" .)
done
# Written through a pipe, zip puts each CRC behind its member's data, as
# some kits have it: the local header states none.
(cd HELP && zip -q -r -X - . | cat > ../../HELP.ZIP)

# The archives of an upgrade kit, OUT/upgrade/<COMPONENT>.ZIP from
# OUT/upgrade/src/<COMPONENT>/...: files an earlier installation has (the
# engine's library among the programs, stored in lower case as some kits
# have it; the customer's data; the sample database) and files it has not.
mkdir -p "$out/upgrade/src"
cd "$out/upgrade/src"
mkdir -p EXE/NOU OUTPOST DBDAT/DATA DBNEW/NEW/DATA HELP PAYROLL
head -c 50000 /dev/urandom > EXE/KORVEN.EXE
echo "motorul din kit" > EXE/idapi32.dll
seq 3 30000 > EXE/README.TXT
echo "fisier nou" > EXE/NOU/NOTE.TXT
echo "outpost nou" > OUTPOST/OUTPOST.EXE
echo "clienti din kit" > DBDAT/DATA/CLIENTI.DB
echo "firme din kit" > DBDAT/DATA/FIRME.DB
echo "clienti martor noi" > DBNEW/NEW/DATA/CLIENTI.DB
seq 7 7000 > DBNEW/NEW/DATA/GOL.DB
seq 1 4000 > HELP/KORVEN.HLP
echo "payroll nou" > PAYROLL/PAYROLL.EXE
for component in EXE OUTPOST DBDAT DBNEW HELP PAYROLL; do
  (cd "$component" && zip -q -r -X "../../$component.ZIP" .)
done

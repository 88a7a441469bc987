#!/usr/bin/env bash
# Builds the program, prepares a demo data directory (demo-data/) with the
# real index series beside the project, and starts the application on it.
# Without a display it runs a sample calculation and says how to start the
# windows under xvfb-run or the offscreen platform.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/deps.sh
echo "== build (build/)"
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo
cmake --build build -j"$(nproc)"

demo=demo-data
series=${QUINTARA_SERIES:-../shared/data/series}
if [ ! -d "$demo" ]; then
    echo "== demo data directory ($demo/)"
    rm -rf "$demo.tmp"
    ./build/quintara-cli init "$demo.tmp"
    if [ -d "$series" ]; then
        for pair in IPCA:ipca INPC:inpc IGPM:igpm IGPDI:igpdi IPCBR:ipcbr IPCA15:ipca15 IPCM:ipcm \
                    IPCSP:ipcsp TR:tr SELIC:selic_mensal SELICDIA:selic_diaria UFIR:ufir; do
            file="$series/${pair#*:}.csv"
            [ -f "$file" ] && ./build/quintara-cli import "$demo.tmp" "${pair%%:*}" "$file"
        done
    else
        echo "(no index series in $series: the demo starts with the catalogue only;"
        echo " import values with: build/quintara-cli import $demo CODE file.csv)"
    fi
    ./build/quintara-cli case "$demo.tmp" 2024001 --responsible "Ana Paula Ferreira" \
        --description "Cobrança de aluguéis em atraso" --court "3ª" --protocol-number 8812 \
        --protocol "04/03/2024 14:30" --history "Ação de cobrança distribuída em março de 2024." \
        --name "JOSÉ CARLOS PEREIRA|Réu|123.456.789-09" --name "IMOBILIÁRIA BOA VISTA LTDA|Autora|12.345.678/0001-90" \
        > /dev/null
    mv "$demo.tmp" "$demo"
else
    echo "== demo data directory ($demo/) already there"
fi

if [ -n "${DISPLAY:-}" ] || [ -n "${WAYLAND_DISPLAY:-}" ]; then
    echo "== quintara --data $demo"
    exec ./build/quintara --data "$demo"
fi

echo "== no display: a sample quick calculation on $demo instead"
./build/quintara-cli calc "$demo" --form 001 --origin 15/01/2020 --date 15/01/2024 \
    --amount 1000,00 --mode quick || true
cat <<MSG

No display was found, so the windows were not opened. To start them:
  xvfb-run -a ./build/quintara --data $demo                            # a virtual display
  QT_QPA_PLATFORM=offscreen ./build/quintara --screenshots shots --data $demo   # every window as a PNG in shots/
MSG

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
    # A dozen items across the currency changes, debts and payments, so that
    # the worksheet opens on a case that shows what the program does.
    item() { ./build/quintara-cli item "$demo.tmp" 2024001 --converter "$@" > /dev/null; }
    item --form 001 --origin 10/04/1987 --amount 15000,00 --description "Aluguel abril/1987"
    item --form 001 --origin 05/06/1989 --amount 2500,00 --description "Aluguel junho/1989"
    item --form 001 --origin 15/08/1991 --amount 180000,00 --description "Aluguel agosto/1991" \
        --ord-rate 6 --ord-formula simples
    item --form 001 --origin 20/10/1993 --amount 95000,00 --description "Condomínio outubro/1993"
    item --form 001 --origin 15/03/1994 --amount 850000,00 --description "Aluguel março/1994" --fine 10
    item --form 002 --origin 10/02/1996 --amount 1200,00 --description "Aluguel fevereiro/1996"
    item --form 002 --origin 10/07/1999 --amount 850,00 --description "Reparos no imóvel" \
        --ord-rate 12 --ord-formula simples
    item --form 003 --origin 05/05/2003 --amount 2300,00 --description "Aluguel maio/2003" \
        --ord-rate 12 --ord-formula simples --fine 2
    item --form 001 --origin 10/09/2010 --amount 1500,00 --description "Aluguel setembro/2010" \
        --ord-rate 12 --ord-formula composto
    item --form 001 --origin 15/03/2012 --amount 3000,00 --description "Pagamento parcial" --payment
    item --form 002 --origin 10/11/2018 --amount 4500,00 --description "Aluguel novembro/2018" \
        --ord-rate 12 --ord-formula simples --fine 10 --fine-on-interest
    item --form 001 --origin 20/06/2023 --amount 980,00 --description "Depósito judicial" --payment
    if [ -d "$series" ]; then
        ./build/quintara-cli recalc "$demo.tmp" 2024001 "$(date +%d/%m/%Y)" > /dev/null
    fi
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

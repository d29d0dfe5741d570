#!/usr/bin/env bash
# Makes the files that the signature verification is tested and shown on,
# from the program PE, the same program with a version resource at version
# 1.0.0.1 (V1) and 1.0.0.2 (V2) named sample.exe, and as another program
# (OTHER, 1.0.0.2, named other.exe), into the folder OUT (made afresh):
#
#   test-root.cer      the root of the test chain (DER), for trust_setup.exe
#                      to add to a Wine prefix's trusted roots
#   impostor-root.cer  another root of the same name, trusted too, whose leaf
#                      bears the test chain's leaf's name: an added root
#   signed.exe         PE signed by the test chain (root -> leaf "Vorlane
#                      Test Signer")
#   changed.exe        signed.exe with one byte of its code changed
#   updated.exe        PE with that byte changed, then signed by the same
#                      chain: another build by the same signer
#   unsigned.exe       PE as it is
#   untrusted.exe      PE signed by a chain whose root nobody trusts (leaf
#                      "Vorlane Untrusted Signer")
#   version-1.exe      V1 signed by the test chain
#   version-2.exe      V2 signed by the test chain: its update
#   rebuilt-2.exe      V2 with one byte of its code changed, then signed by
#                      the test chain: the same version built again
#   other.exe          OTHER signed by the test chain: another program
#   impostor-2.exe     V2 signed by the impostor chain
#   catalogued.inf     a file with no signature of its own, listed in...
#   test.cat           a catalog signed by the test chain, which names its
#                      member catalogued.inf, for trust_setup.exe to install
#   sha256.txt         each file's SHA-256 (openssl's), "HEX  name" a line
#
# The keys are made here each time and not kept.
#
#   tools/make-trust-samples.sh PE V1 V2 OTHER OUT
set -euo pipefail
pe=$1
v1=$2
v2=$3
other=$4
out=$5
rm -rf "$out"
mkdir -p "$out"
keys=$(mktemp -d)
trap 'rm -rf "$keys"' EXIT

# make_chain NAME ROOT_CN LEAF_CN: NAME-root.pem, NAME-leaf.pem and its key,
# and NAME-chain.pem (leaf, then root) in the key folder.
make_chain() {
    local name=$1 root_cn=$2 leaf_cn=$3
    cat >"$keys/$name.cnf" <<EOF
[req]
distinguished_name = dn
prompt = no
[dn]
CN = unused
[root]
basicConstraints = critical,CA:TRUE
keyUsage = critical,keyCertSign,cRLSign
subjectKeyIdentifier = hash
[leaf]
basicConstraints = critical,CA:FALSE
keyUsage = critical,digitalSignature
extendedKeyUsage = codeSigning
subjectKeyIdentifier = hash
authorityKeyIdentifier = keyid
EOF
    openssl req -x509 -newkey rsa:2048 -nodes -days 3650 -subj "/CN=$root_cn" -config "$keys/$name.cnf" \
        -extensions root -keyout "$keys/$name-root.key" -out "$keys/$name-root.pem" 2>/dev/null
    openssl req -new -newkey rsa:2048 -nodes -subj "/CN=$leaf_cn" -config "$keys/$name.cnf" \
        -keyout "$keys/$name-leaf.key" -out "$keys/$name-leaf.csr" 2>/dev/null
    openssl x509 -req -days 3650 -in "$keys/$name-leaf.csr" -CA "$keys/$name-root.pem" \
        -CAkey "$keys/$name-root.key" -set_serial 1 -extfile "$keys/$name.cnf" -extensions leaf \
        -out "$keys/$name-leaf.pem" 2>/dev/null
    cat "$keys/$name-leaf.pem" "$keys/$name-root.pem" >"$keys/$name-chain.pem"
}

# sign NAME IN OUT [DIGEST]
sign() {
    osslsigncode sign -certs "$keys/$1-chain.pem" -key "$keys/$1-leaf.key" -h "${4:-sha256}" \
        -in "$2" -out "$3" >/dev/null
}

# hex FILE: the file's bytes as upper-case hex digits.
hex() {
    od -An -tx1 -v "$1" | tr -d ' \n' | tr a-f A-F
}

# le32 FILE OFFSET: the little-endian 32-bit number at OFFSET.
le32() {
    od -An -tu4 -j"$2" -N4 "$1" | tr -d ' '
}

make_chain test 'Vorlane Test Root' 'Vorlane Test Signer'
make_chain untrusted 'Vorlane Untrusted Root' 'Vorlane Untrusted Signer'
make_chain impostor 'Vorlane Test Root' 'Vorlane Test Signer'
openssl x509 -in "$keys/test-root.pem" -outform DER -out "$out/test-root.cer"
openssl x509 -in "$keys/impostor-root.pem" -outform DER -out "$out/impostor-root.cer"

cp "$pe" "$out/unsigned.exe"
sign test "$pe" "$out/signed.exe"
sign untrusted "$pe" "$out/untrusted.exe"

# flip_code_byte FILE: inverts the first byte after the headers
# (SizeOfHeaders, 60 bytes into the optional header), the start of the first
# section's code.
flip_code_byte() {
    local optional_header at byte
    optional_header=$(($(le32 "$1" 60) + 24))
    at=$(le32 "$1" $((optional_header + 60)))
    byte=$(od -An -tu1 -j"$at" -N1 "$1" | tr -d ' ')
    printf "\\x$(printf %02x $((byte ^ 0xFF)))" | dd of="$1" bs=1 seek="$at" conv=notrunc 2>/dev/null
}
cp "$out/signed.exe" "$out/changed.exe"
flip_code_byte "$out/changed.exe"
cp "$pe" "$keys/updated.exe"
flip_code_byte "$keys/updated.exe"
sign test "$keys/updated.exe" "$out/updated.exe"

sign test "$v1" "$out/version-1.exe"
sign test "$v2" "$out/version-2.exe"
sign test "$other" "$out/other.exe"
sign impostor "$v2" "$out/impostor-2.exe"
cp "$v2" "$keys/rebuilt-2.exe"
flip_code_byte "$keys/rebuilt-2.exe"
sign test "$keys/rebuilt-2.exe" "$out/rebuilt-2.exe"

# A catalog is a signed certificate trust list: one entry per member, named
# by its hash as upper-case hex in UTF-16, with the member's subject kind
# and its hash. Wine 8 hashes every file whole with SHA-1 to find its
# catalog (Windows hashes a PE as Authenticode does), so the member is not
# a PE, and Wine reads a catalog with a provider that has SHA-1 only, so the
# catalog is signed with SHA-1.
printf '; Listed in the test catalog, signed nowhere else.\r\n[Version]\r\nSignature="$Windows NT$"\r\n' \
    >"$out/catalogued.inf"
openssl dgst -sha1 -binary "$out/catalogued.inf" >"$keys/member.sha1"
member_hash=$(hex "$keys/member.sha1")
member_tag=$(printf %s "$member_hash" | od -An -tx1 -v | tr -d ' \n' | sed 's/\(..\)/\100/g')
# The name the catalog gives its member, as UTF-16 with its terminator.
member_name=$(printf 'catalogued.inf' | od -An -tx1 -v | tr -d ' \n' | sed 's/\(..\)/\100/g')0000
cat >"$keys/catalog.cnf" <<EOF
asn1 = SEQUENCE:contentInfo
[contentInfo]
type = OID:pkcs7-signedData
content = EXPLICIT:0,SEQUENCE:signedData
[signedData]
version = INTEGER:1
digestAlgorithms = SET:none
contentInfo = SEQUENCE:trustList
signerInfos = SET:none
[none]
[trustList]
type = OID:1.3.6.1.4.1.311.10.1
content = EXPLICIT:0,SEQUENCE:ctl
[ctl]
subjectUsage = SEQUENCE:catalogList
listIdentifier = FORMAT:HEX,OCTETSTRING:566F726C616E652054657374204C6973
thisUpdate = UTCTIME:260101000000Z
subjectAlgorithm = SEQUENCE:catalogListMember
trustedSubjects = SEQUENCE:members
[catalogList]
oid = OID:1.3.6.1.4.1.311.12.1.1
[catalogListMember]
oid = OID:1.3.6.1.4.1.311.12.1.2
parameters = NULL
[members]
member = SEQUENCE:member
[member]
tag = FORMAT:HEX,OCTETSTRING:$member_tag
attributes = SET:memberAttributes
[memberAttributes]
memberInfo = SEQUENCE:memberInfoAttribute
indirectData = SEQUENCE:indirectDataAttribute
fileName = SEQUENCE:fileNameAttribute
[fileNameAttribute]
type = OID:1.3.6.1.4.1.311.12.2.1
values = SET:fileNameValues
[fileNameValues]
value = SEQUENCE:fileName
[fileName]
tag = BMPSTRING:File
flags = INTEGER:0x10010001
value = FORMAT:HEX,OCTETSTRING:$member_name
[memberInfoAttribute]
type = OID:1.3.6.1.4.1.311.12.2.2
values = SET:memberInfoValues
[memberInfoValues]
value = SEQUENCE:memberInfo
[memberInfo]
flatFileSubject = BMPSTRING:{DE351A42-8E59-11D0-8C47-00C04FC295EE}
version = INTEGER:512
[indirectDataAttribute]
type = OID:1.3.6.1.4.1.311.2.1.4
values = SET:indirectDataValues
[indirectDataValues]
value = SEQUENCE:indirectData
[indirectData]
data = SEQUENCE:flatFileData
digest = SEQUENCE:digestInfo
[flatFileData]
type = OID:1.3.6.1.4.1.311.2.1.25
value = EXPLICIT:2,IMPLICIT:0,BMPSTRING:<<<Obsolete>>>
[digestInfo]
algorithm = SEQUENCE:sha1
digest = FORMAT:HEX,OCTETSTRING:$member_hash
[sha1]
algorithm = OID:sha1
parameters = NULL
EOF
openssl asn1parse -genconf "$keys/catalog.cnf" -noout -out "$keys/unsigned.cat"
sign test "$keys/unsigned.cat" "$out/test.cat" sha1

for file in "$out"/*; do
    [ "${file##*/}" = sha256.txt ] && continue
    openssl dgst -sha256 -binary "$file" >"$keys/sum"
    echo "$(hex "$keys/sum")  ${file##*/}" >>"$out/sha256.txt"
done

// The program that the signature samples are made of (tools/make-trust-samples.sh):
// a small PE, signed, changed and left unsigned.
int main()
{
    return 0;
}

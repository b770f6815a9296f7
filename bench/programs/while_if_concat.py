i = 0
n = 0
s = ""
while i < 200000:
    i += 1
    if i > 100000:
        n += 1
    else:
        n = n + 2
    s = "ab" + "c"
print(n)
